#pragma once
// A whole file as bytes, for comparing what a run left on disk.
#include <fstream>
#include <iterator>
#include <string>

namespace testsupport {

inline std::string slurp(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace testsupport
