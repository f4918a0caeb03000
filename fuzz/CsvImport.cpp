// libFuzzer entry for the CsvImport target (fuzz/targets/CsvImport.cpp).
#include "targets/Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::fuzzCsvImport(data, size);
}
