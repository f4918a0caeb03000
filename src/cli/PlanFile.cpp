#include "cli/PlanFile.h"

#include "core/DataFile.h"
#include "core/MemoryImage.h"
#include "core/Plan.h"
#include "core/Session.h"

#include <QCoreApplication>
#include <filesystem>

namespace cli {

namespace {

constexpr int kTextWrongFileType = 83, kTextSaveFailed = 86;

bool isBcdByte(uint8_t b) {
    return (b >> 4) <= 9 && (b & 0x0F) <= 9;
}

[[noreturn]] void wrongFile(const cps::Cps &c, const std::string &path, const std::string &why) {
    throw CliFailure(kExitFile, path + ": " + c.text(kTextWrongFileType) + " (" + why + ")");
}

} // namespace

std::string programDirFor(const Args &args) {
    if (args.has("--program-dir"))
        return args.value("--program-dir");
    return QCoreApplication::applicationDirPath().toStdString();
}

void startSession(cps::Cps &c, const Args &args) {
    const int lang = args.intValue("--lang", 1, 3, 0);
    const std::string dir = programDirFor(args);
    if (!cps::loadSession(c, dir, lang))
        throw CliFailure(kExitFile, "the program folder " + dir +
                                        " has no usable settings file (selvarn.exe) and default "
                                        "image (dhcpqec.exe)");
}

bool plausiblePlanImage(const std::vector<uint8_t> &image) {
    if (image.size() <= static_cast<std::size_t>(cps::kBandHighByte + 1))
        return false;
    for (int a = cps::kBandLowByte; a <= cps::kBandHighByte + 1; ++a)
        if (!isBcdByte(image[static_cast<std::size_t>(a)]))
            return false;
    const auto low = cps::bandEdgeValue(image[cps::kBandLowByte], image[cps::kBandLowByte + 1]);
    const auto high = cps::bandEdgeValue(image[cps::kBandHighByte], image[cps::kBandHighByte + 1]);
    return low < high;
}

void openPlan(cps::Cps &c, const std::string &path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::exists(path, ec))
        wrongFile(c, path, "no such file");
    if (!fs::is_regular_file(path, ec))
        wrongFile(c, path, "not a file");
    const auto size = fs::file_size(path, ec);
    if (ec || size < c.IicDat.size())
        wrongFile(c, path,
                  std::to_string(c.IicDat.size()) + " bytes expected, " +
                      (ec ? std::string("unreadable") : std::to_string(size)) + " found");
    const auto bytes = cps::readDataFile(path, c.IicDat.size());
    if (!bytes)
        wrongFile(c, path, "unreadable");
    auto image = cps::fileBytesToImage(*bytes, c.IicDat.size());
    if (!plausiblePlanImage(image))
        wrongFile(c, path, "no valid band in the file");
    c.IicDat = std::move(image);
    cps::SoftDisplay(c);
    c.CurFilePath = path;
}

void saveImage(const cps::Cps &c, const std::vector<uint8_t> &image, const std::string &path) {
    try {
        cps::writeFileAtomically(path, cps::imageToFileBytes(image));
    } catch (const std::exception &) {
        throw CliFailure(kExitFile, path + ": " + c.text(kTextSaveFailed));
    }
}

void savePlan(cps::Cps &c, const std::string &path) {
    cps::SetConvIicDat(c);
    saveImage(c, c.IicDat, path);
    c.CurFilePath = path;
}

} // namespace cli
