// The fuzzers' regression corpus for the radio link and memory view targets:
// every kept input runs through its target again, with every property the
// target checks (see fuzz/targets/). The fuzzers themselves run from `make fuzz`.
#include "../../fuzz/targets/CorpusRun.h"
#include "../../fuzz/targets/EngineReply.cpp"
#include "../../fuzz/targets/MemDatInput.cpp"

namespace {

struct LinkViewFuzzCorpus : ::testing::TestWithParam<fuzz::CorpusTarget> {};

TEST_P(LinkViewFuzzCorpus, EveryKeptInputKeepsTheTargetsProperties) {
    fuzz::runCorpus(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Targets, LinkViewFuzzCorpus,
                         ::testing::Values(fuzz::CorpusTarget{"EngineReply", fuzz::fuzzEngineReply},
                                           fuzz::CorpusTarget{"MemDatInput",
                                                              fuzz::fuzzMemDatInput}),
                         fuzz::corpusTargetName);

} // namespace
