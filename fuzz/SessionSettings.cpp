// libFuzzer entry for the SessionSettings target (fuzz/targets/SessionSettings.cpp).
#include "targets/Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::fuzzSessionSettings(data, size);
}
