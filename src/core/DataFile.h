#pragma once
// Data file (*.dat) layout, exactly the image's length:
//
//   offset 0     16 bytes   image 0x000..0x00F
//   offset 16    16 bytes   0xFF
//   offset 32    1008 bytes image 0x010..0x3FF
//   offset 1040  rest       image 0x410..end
//
// Image bytes 0x400..0x40F are not stored; on open they receive file bytes
// 1024..1039, which hold image 0x3F0..0x3FF.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cps {

// The file bytes for an image.
std::vector<uint8_t> imageToFileBytes(const std::vector<uint8_t> &image);
// The image from file bytes (at least the image's length).
std::vector<uint8_t> fileBytesToImage(const std::vector<uint8_t> &file, std::size_t imageSize);

// Reads the first `imageSize` bytes of a data file. Empty optional when the file
// cannot be read, is a folder, or is shorter than the image.
std::optional<std::vector<uint8_t>> readDataFile(const std::string &path, std::size_t imageSize);
// Writes bytes atomically (SafeFile.h), so a failed write leaves the previous
// file untouched. Throws RunError 75 carrying the system's reason.
void writeFileAtomically(const std::string &path, const std::vector<uint8_t> &bytes);

} // namespace cps
