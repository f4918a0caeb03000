#include "core/ErrorLog.h"

#include <cstdint>
#include <ctime>

namespace cps {

std::string errorLogFirstLine() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[64];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
    return std::string("---------") + buf + "--------";
}

std::string numberText(long long n) {
    return (n >= 0 ? " " : "") + std::to_string(n);
}

std::string errorLogRuntimeLine(const std::string &place, int number, const std::string &source) {
    // The error number is read as a 16-bit value.
    const int n16 = static_cast<int16_t>(static_cast<uint16_t>(number & 0xFFFF));
    std::string line = "         错误:  ";
    line += place;
    line += "     出错号:  ";
    line += numberText(n16);
    line += "     出错点:  ";
    line += source;
    line += "     出错描述:  ";
    line += VbErrNumDes(n16);
    return line;
}

std::string errorLogOptionLine(const std::string &report) {
    return std::string("        可选功能项:   ") + report;
}

} // namespace cps
