#include "core/DataFile.h"

#include "core/Failure.h"
#include "core/SafeFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace cps {

namespace {
constexpr std::size_t kGapAt = 0x10, kGapSize = 16, kShiftedEnd = 0x400;
}

std::vector<uint8_t> imageToFileBytes(const std::vector<uint8_t> &image) {
    std::vector<uint8_t> file = image;
    const std::size_t n = image.size();
    // image 0x010..0x3FF move up by 16; 0x010..0x01F become 0xFF
    for (std::size_t a = kGapAt; a < kShiftedEnd; ++a)
        if (a + kGapSize < n) file[a + kGapSize] = image[a];
    for (std::size_t a = kGapAt; a < kGapAt + kGapSize && a < n; ++a) file[a] = 0xFF;
    return file;
}

std::vector<uint8_t> fileBytesToImage(const std::vector<uint8_t> &file, std::size_t imageSize) {
    std::vector<uint8_t> image(file.begin(), file.begin() + static_cast<long>(std::min(imageSize, file.size())));
    image.resize(imageSize, 0);
    // file 0x020..0x40F move down by 16
    for (std::size_t a = kGapAt + kGapSize; a < kShiftedEnd + kGapSize && a < imageSize; ++a)
        image[a - kGapSize] = image[a];
    return image;
}

std::optional<std::vector<uint8_t>> readDataFile(const std::string &path, std::size_t imageSize) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes(imageSize);
    in.read(reinterpret_cast<char *>(bytes.data()), static_cast<long>(imageSize));
    if (static_cast<std::size_t>(in.gcount()) != imageSize) return std::nullopt;
    return bytes;
}

void writeFileAtomically(const std::string &path, const std::vector<uint8_t> &bytes) {
    if (std::filesystem::path(path).filename().empty()) raise(err::BadFileName);
    const std::string reason = saveFileAtomically(
        path, std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
    if (!reason.empty()) throw RunError(err::PathFileAccess, "BrenvikCPS", reason);
}

} // namespace cps
