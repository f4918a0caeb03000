// The fuzzers' regression corpus for the core targets: every kept input runs
// through its target again, with every property the target checks (see
// fuzz/targets/). The fuzzers themselves run from `make fuzz`.
#include "../../fuzz/targets/CorpusRun.h"
#include "../../fuzz/targets/CsvImport.cpp"
#include "../../fuzz/targets/CtdcsEntry.cpp"
#include "../../fuzz/targets/DataFileOpen.cpp"
#include "../../fuzz/targets/FrequencyEntry.cpp"
#include "../../fuzz/targets/IniSettings.cpp"
#include "../../fuzz/targets/SessionSettings.cpp"

namespace {

struct CoreFuzzCorpus : ::testing::TestWithParam<fuzz::CorpusTarget> {};

TEST_P(CoreFuzzCorpus, EveryKeptInputKeepsTheTargetsProperties) {
    fuzz::runCorpus(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Targets, CoreFuzzCorpus,
    ::testing::Values(fuzz::CorpusTarget{"DataFileOpen", fuzz::fuzzDataFileOpen},
                      fuzz::CorpusTarget{"IniSettings", fuzz::fuzzIniSettings},
                      fuzz::CorpusTarget{"SessionSettings", fuzz::fuzzSessionSettings},
                      fuzz::CorpusTarget{"CtdcsEntry", fuzz::fuzzCtdcsEntry},
                      fuzz::CorpusTarget{"FrequencyEntry", fuzz::fuzzFrequencyEntry},
                      fuzz::CorpusTarget{"CsvImport", fuzz::fuzzCsvImport}),
    fuzz::corpusTargetName);

// The signalling check the targets rely on accepts exactly what the tool may show.
TEST(FuzzOracle, SignallingTextsAreNoneToneOrDcsCode) {
    const std::pair<const char *, bool> cases[] = {
        {"None", true},   {"60.0", true},   {"67.0", true},   {"265.0", true},  {"D023N", true},
        {"D754I", true},  {"D000N", true},  {"59.9", false},  {"265.1", false}, {"067.0", false},
        {"67", false},    {"67.00", false}, {"D089N", false}, {"d023N", false}, {"D023X", false},
        {"D0234", false}, {"", false},      {"none", false}};
    for (const auto &[text, ok] : cases)
        EXPECT_EQ(fuzz::isSignallingText(text, "None"), ok) << text;
}

} // namespace
