// libFuzzer entry for the EngineReply target (fuzz/targets/EngineReply.cpp).
#include "targets/Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::fuzzEngineReply(data, size);
}
