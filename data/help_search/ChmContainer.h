// Replacing one object of a compiled help file (.chm) without touching the
// others.
//
//   0x00  ITSF header: version (4 bytes at 0x04), language (0x14), offsets of
//         header section 0 (0x38), of the directory (0x48), its length
//         (0x50) and, from version 3, of content section 0 (0x58)
//         header section 0: the file size at its offset 0x08 (8 bytes)
//         directory: the ITSP header, then chunks of ITSP's chunk size
//         (0x10) from the first listing chunk (0x20); each listing chunk is
//         "PMGL", free bytes at its end (4), 0 (4), previous and next chunk
//         (4 + 4), then entries: name length, name, section, offset,
//         length, each number 7 bits a byte, highest first; at the chunk's
//         end the entry count (16 bits) and before it, backwards, where
//         every fifth entry starts, counted from the first entry
//         content section 0: stored objects, uncompressed, up to the file's
//         end; section 1 (compressed) is itself one of them
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `chm` with the directory entry `name` pointing at `data`, added
// uncompressed at the end of content section 0. The object's old bytes stay
// where they were, unused. Throws std::runtime_error on a file that is not a
// compiled help file, lacks `name`, or has no room left in the directory
// chunk that lists it.
std::vector<uint8_t> withStoredObject(std::vector<uint8_t> chm, const std::string &name,
                                      const std::vector<uint8_t> &data);
