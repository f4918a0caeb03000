// libFuzzer entry for the CtdcsEntry target (fuzz/targets/CtdcsEntry.cpp).
#include "targets/Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::fuzzCtdcsEntry(data, size);
}
