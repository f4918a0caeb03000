// libFuzzer entry for the MemDatInput target (fuzz/targets/MemDatInput.cpp).
#include "targets/Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::fuzzMemDatInput(data, size);
}
