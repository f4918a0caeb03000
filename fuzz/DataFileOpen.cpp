// libFuzzer entry for the DataFileOpen target (fuzz/targets/DataFileOpen.cpp).
#include "targets/Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::fuzzDataFileOpen(data, size);
}
