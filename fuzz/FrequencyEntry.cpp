// libFuzzer entry for the FrequencyEntry target (fuzz/targets/FrequencyEntry.cpp).
#include "targets/Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::fuzzFrequencyEntry(data, size);
}
