#include "ChmContainer.h"

#include <stdexcept>

namespace {

constexpr uint64_t kItsfVersion = 0x04;
constexpr uint64_t kHeaderSection0 = 0x38;
constexpr uint64_t kDirectoryOffset = 0x48;
constexpr uint64_t kDirectoryLength = 0x50;
constexpr uint64_t kContentSection0 = 0x58;
constexpr uint64_t kFileSizeInSection0 = 0x08;

constexpr uint64_t kItspChunkSize = 0x10;
constexpr uint64_t kItspDensity = 0x14;
constexpr uint64_t kItspFirstListing = 0x20;
constexpr uint64_t kItspHeaderLength = 0x08;

constexpr uint64_t kPmglFreeBytes = 0x04;
constexpr uint64_t kPmglNext = 0x10;
constexpr uint64_t kPmglHeaderSize = 0x14;

[[noreturn]] void fail(const std::string &why) {
    throw std::runtime_error("not a usable compiled help file: " + why);
}

uint64_t get(const std::vector<uint8_t> &b, uint64_t at, int size) {
    if (at + size > b.size())
        fail("it ends early");
    uint64_t v = 0;
    for (int k = size - 1; k >= 0; --k)
        v = v << 8 | b[at + k];
    return v;
}

void set(std::vector<uint8_t> &b, uint64_t at, int size, uint64_t v) {
    for (int k = 0; k < size; ++k)
        b[at + k] = uint8_t(v >> (8 * k));
}

uint64_t readEncInt(const std::vector<uint8_t> &b, uint64_t &at, uint64_t end) {
    uint64_t v = 0;
    for (int k = 0; k < 9; ++k) {
        if (at >= end)
            fail("a directory entry runs past its chunk");
        const uint8_t byte = b[at++];
        v = v << 7 | (byte & 0x7F);
        if ((byte & 0x80) == 0)
            return v;
    }
    fail("a number in the directory is too long");
}

void appendEncInt(std::vector<uint8_t> &out, uint64_t v) {
    std::vector<uint8_t> groups;
    do {
        groups.push_back(v & 0x7F);
        v >>= 7;
    } while (v != 0);
    for (size_t k = groups.size(); k-- > 0;)
        out.push_back(k != 0 ? groups[k] | 0x80 : groups[k]);
}

} // namespace

std::vector<uint8_t> withStoredObject(std::vector<uint8_t> chm, const std::string &name,
                                      const std::vector<uint8_t> &data) {
    if (chm.size() < 0x60 || std::string(chm.begin(), chm.begin() + 4) != "ITSF")
        fail("no ITSF header");
    const uint64_t directory = get(chm, kDirectoryOffset, 8);
    const uint64_t content0 = get(chm, kItsfVersion, 4) >= 3
                                  ? get(chm, kContentSection0, 8)
                                  : directory + get(chm, kDirectoryLength, 8);
    if (std::string(chm.begin() + std::min<uint64_t>(directory, chm.size()),
                    chm.begin() + std::min<uint64_t>(directory + 4, chm.size())) != "ITSP")
        fail("no ITSP directory");
    const uint64_t chunkSize = get(chm, directory + kItspChunkSize, 4);
    const uint64_t perQuickRef = 1 + (uint64_t(1) << get(chm, directory + kItspDensity, 4));
    const uint64_t chunks = directory + get(chm, directory + kItspHeaderLength, 4);
    if (content0 > chm.size() || chunkSize < 0x100)
        fail("a broken header");

    uint64_t chunkNumber = get(chm, directory + kItspFirstListing, 4);
    for (uint64_t visited = 0; chunkNumber != 0xFFFFFFFF; ++visited) {
        const uint64_t chunk = chunks + chunkNumber * chunkSize;
        if (visited > chm.size() / chunkSize || chunk + chunkSize > content0 ||
            std::string(chm.begin() + chunk, chm.begin() + chunk + 4) != "PMGL")
            fail("a broken directory chunk");
        const uint64_t chunkEnd = chunk + chunkSize;
        const uint64_t entriesEnd = chunkEnd - get(chm, chunk + kPmglFreeBytes, 4);
        const uint64_t entryCount = get(chm, chunkEnd - 2, 2);
        const uint64_t quickRefs = entryCount / perQuickRef;
        uint64_t at = chunk + kPmglHeaderSize;
        while (at < entriesEnd) {
            const uint64_t entry = at;
            const uint64_t nameLength = readEncInt(chm, at, entriesEnd);
            if (at + nameLength > entriesEnd)
                fail("a directory name runs past its chunk");
            const std::string entryName(chm.begin() + at, chm.begin() + at + nameLength);
            at += nameLength;
            for (int k = 0; k < 3; ++k) // section, offset, length
                readEncInt(chm, at, entriesEnd);
            if (entryName != name)
                continue;

            std::vector<uint8_t> replacement;
            appendEncInt(replacement, nameLength);
            replacement.insert(replacement.end(), name.begin(), name.end());
            appendEncInt(replacement, 0);
            appendEncInt(replacement, chm.size() - content0);
            appendEncInt(replacement, data.size());
            const int64_t growth = int64_t(replacement.size()) - int64_t(at - entry);
            if (entriesEnd + growth > chunkEnd - 2 - 2 * quickRefs)
                fail("no room in the directory chunk listing " + name);

            // The entries after this one move; so do the quick references to them.
            std::vector<uint8_t> after(chm.begin() + at, chm.begin() + entriesEnd);
            std::copy(replacement.begin(), replacement.end(), chm.begin() + entry);
            std::copy(after.begin(), after.end(), chm.begin() + entry + replacement.size());
            for (uint64_t k = entriesEnd + growth; k < entriesEnd; ++k)
                chm[k] = 0;
            for (uint64_t q = 1; q <= quickRefs; ++q) {
                const uint64_t ref = chunkEnd - 2 - 2 * q;
                const uint64_t target = get(chm, ref, 2);
                if (chunk + kPmglHeaderSize + target > entry)
                    set(chm, ref, 2, target + growth);
            }
            set(chm, chunk + kPmglFreeBytes, 4, chunkEnd - (entriesEnd + growth));

            chm.insert(chm.end(), data.begin(), data.end());
            const uint64_t fileSize = get(chm, kHeaderSection0, 8) + kFileSizeInSection0;
            get(chm, fileSize, 8);
            set(chm, fileSize, 8, chm.size());
            return chm;
        }
        chunkNumber = get(chm, chunk + kPmglNext, 4);
    }
    fail("no object " + name);
}
