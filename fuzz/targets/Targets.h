#pragma once
// The fuzz targets. Each takes any bytes, runs one input path of the tool, and
// checks what must hold for every input; a broken property throws
// fuzz::InvariantBroken, a fault of the code crashes or trips a sanitizer.
// Each returns 0, as libFuzzer expects.
#include <cstddef>
#include <cstdint>

namespace fuzz {

// Opening a data file: read, data file layout to image, decode of the plan.
int fuzzDataFileOpen(const uint8_t *data, std::size_t size);
// The INI layer: reading any key of any text, value conversions, writing a key.
int fuzzIniSettings(const uint8_t *data, std::size_t size);
// Start-up from any settings file: settings, column definition table, new plan.
int fuzzSessionSettings(const uint8_t *data, std::size_t size);
// The grid's signalling entry and the signalling word conversions.
int fuzzCtdcsEntry(const uint8_t *data, std::size_t size);
// The grid's frequency entry: raster, band clamping, receive and transmit entries.
int fuzzFrequencyEntry(const uint8_t *data, std::size_t size);
// The channel CSV import of either layout, with and without skipping bad rows.
int fuzzCsvImport(const uint8_t *data, std::size_t size);
// The protocol engine running a script line against any reply bytes.
int fuzzEngineReply(const uint8_t *data, std::size_t size);
// The memory data view's cell texts and fill dialog boxes.
int fuzzMemDatInput(const uint8_t *data, std::size_t size);

} // namespace fuzz
