// libFuzzer entry for the IniSettings target (fuzz/targets/IniSettings.cpp).
#include "targets/Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::fuzzIniSettings(data, size);
}
