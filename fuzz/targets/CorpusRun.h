#pragma once
// Runs the kept fuzz inputs of tests/fuzz-corpus/<target>/ through their target
// inside a GoogleTest case: a broken property or an escaping exception fails the
// case and names the input file.
#include "FuzzSupport.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

#ifndef BRENVIK_SOURCE_DIR
#error "BRENVIK_SOURCE_DIR must name the source tree (for tests/fuzz-corpus)"
#endif

namespace fuzz {

struct CorpusTarget {
    const char *name;
    int (*run)(const uint8_t *, std::size_t);
};

// GoogleTest names a failing case by its target.
inline void PrintTo(const CorpusTarget &target, std::ostream *os) {
    *os << target.name;
}

inline std::vector<std::filesystem::path> corpusFiles(const std::string &target) {
    const auto dir = std::filesystem::path(BRENVIK_SOURCE_DIR) / "tests" / "fuzz-corpus" / target;
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(dir, ec))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

inline void runCorpus(const CorpusTarget &target) {
    const auto files = corpusFiles(target.name);
    ASSERT_GE(files.size(), 5u) << "the corpus of " << target.name << " is missing";
    for (const auto &file : files) {
        SCOPED_TRACE(file.filename().string());
        const std::string bytes = readFile(file);
        try {
            EXPECT_EQ(target.run(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()), 0);
        } catch (const InvariantBroken &e) {
            ADD_FAILURE() << "property broken: " << e.what();
        } catch (const std::exception &e) {
            ADD_FAILURE() << "exception escaped the program: " << e.what();
        }
    }
}

inline std::string corpusTargetName(const ::testing::TestParamInfo<CorpusTarget> &info) {
    return info.param.name;
}

} // namespace fuzz
