#include "FullTextIndex.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr uint32_t kNodeSize = 4096;
constexpr uint32_t kHeaderSize = 0x400;
constexpr uint32_t kLeafHeaderSize = 8;  // next leaf (4), 0 (2), free bytes at the end (2)
constexpr uint32_t kIndexHeaderSize = 2; // free bytes at the end (2)

// Word location codes are "scale and root" numbers (scale 2): these roots are
// the number of bits a small value takes for the topic step, the count of
// locations in a topic and the location step.
constexpr uint8_t kTopicRoot = 1;
constexpr uint8_t kCountRoot = 1;
constexpr uint8_t kLocationRoot = 4;

// Header offsets.
constexpr size_t kSignature = 0x00; // 00 00 28 00
constexpr size_t kPageCount = 0x04;
constexpr size_t kRootNode = 0x08;
constexpr size_t kLeafCount = 0x10;
constexpr size_t kRootNodeAgain = 0x14;
constexpr size_t kTreeDepth = 0x18;      // 16 bits
constexpr size_t kUnknown7 = 0x1A;       // always 7
constexpr size_t kScalesAndRoots = 0x1E; // topic, count, location: scale then root, bytes
constexpr size_t kNodeSizeAt = 0x2E;
constexpr size_t kUnknown1And5 = 0x36; // 1, 5 as chmcmd writes
constexpr size_t kLongestWordAt = 0x3E;
constexpr size_t kWordOccurrences = 0x42;
constexpr size_t kDistinctWords = 0x46;
constexpr size_t kOccurrencesLength = 0x4A;
constexpr size_t kDistinctLength = 0x52;
constexpr size_t kLastLeafFree = 0x56;
constexpr size_t kPageCountLess1 = 0x5E;
constexpr size_t kCodePage = 0x7A;
constexpr size_t kLcid = 0x7E;

unsigned char folded(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c | 0x20 : c;
}

void put16(std::vector<uint8_t> &b, size_t at, uint32_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = v >> 8 & 0xFF;
}

void put32(std::vector<uint8_t> &b, size_t at, uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

void append32(std::vector<uint8_t> &b, uint32_t v) {
    b.resize(b.size() + 4);
    put32(b, b.size() - 4, v);
}

// Seven bits a byte, lowest first, the top bit telling that more follow.
void appendEncInt(std::vector<uint8_t> &b, uint32_t v) {
    do {
        const uint8_t low = v & 0x7F;
        v >>= 7;
        b.push_back(v != 0 ? low | 0x80 : low);
    } while (v != 0);
}

// Writes numbers bit by bit, the first bit in the top bit of a byte.
class BitWriter {
  public:
    explicit BitWriter(std::vector<uint8_t> &out) : out_(out) {}

    // A "scale 2, root r" number: a value below 2^r is a 0 and r bits; a
    // larger one of n bits is (n - r) ones, a 0 and its n - 1 low bits.
    void scaleRoot(uint32_t v, uint8_t root) {
        int bits = 0;
        while (bits < 32 && (v >> bits) != 0)
            ++bits;
        const int prefix = std::max(0, bits - root);
        for (int k = 0; k < prefix; ++k)
            bit(1);
        bit(0);
        for (int k = std::max<int>(bits - 1, root) - 1; k >= 0; --k)
            bit(v >> k & 1);
    }

    // Each topic's codes start on a byte boundary.
    void align() {
        if (used_ != 0)
            out_.push_back(byte_);
        used_ = 0;
        byte_ = 0;
    }

  private:
    void bit(uint32_t b) {
        byte_ |= (b & 1) << (7 - used_);
        if (++used_ == 8)
            align();
    }
    std::vector<uint8_t> &out_;
    uint8_t byte_ = 0;
    int used_ = 0;
};

size_t sharedLength(const std::string &a, const std::string &b) {
    size_t n = 0;
    while (n < a.size() && n < b.size() && n < 255 && a[n] == b[n])
        ++n;
    return n;
}

// One B-tree node being filled. Each entry's word is stored as the length of
// the part it shares with the word before it in the node, and the rest.
class Node {
  public:
    explicit Node(uint32_t headerSize) : bytes_(headerSize, 0) {}

    // Whether an entry for `word` with `more` bytes after the word fits.
    bool fits(const std::string &word, size_t more) const {
        return bytes_.size() + 2 + word.size() - sharedLength(word, lastWord_) + more <= kNodeSize;
    }

    void appendWord(const std::string &word) {
        const size_t shared = sharedLength(word, lastWord_);
        bytes_.push_back(uint8_t(word.size() - shared + 1));
        bytes_.push_back(uint8_t(shared));
        bytes_.insert(bytes_.end(), word.begin() + shared, word.end());
        lastWord_ = word;
    }

    std::vector<uint8_t> &bytes() { return bytes_; }
    const std::string &lastWord() const { return lastWord_; }
    uint32_t freeBytes() const { return kNodeSize - uint32_t(bytes_.size()); }

  private:
    std::vector<uint8_t> bytes_;
    std::string lastWord_;
};

struct Child {
    std::string lastWord;
    uint32_t offset;
};

} // namespace

bool FullTextIndex::Key::operator<(const Key &other) const {
    const auto &a = word, &b = other.word;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const auto x = folded(uint8_t(a[i])), y = folded(uint8_t(b[i]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    if (a != b)
        return a < b; // same letters in other case: any fixed order
    return !inTitle && other.inTitle;
}

void FullTextIndex::add(const std::string &word, bool inTitle, uint32_t topic, uint32_t location) {
    if (word.empty() || word.size() > kLongestIndexWord)
        throw std::invalid_argument("an index word has 1 to 99 bytes");
    words_[{word, inTitle}][topic].push_back(location);
}

std::vector<uint8_t> FullTextIndex::bytes(uint32_t pageCount, uint32_t lcid,
                                          uint32_t codePage) const {
    std::vector<uint8_t> out(kHeaderSize, 0);
    uint32_t longest = 0, occurrences = 0, occurrencesLength = 0, distinctLength = 0;

    // The location codes of every entry, and the entries of the leaf nodes.
    std::vector<Node> leaves(1, Node(kLeafHeaderSize));
    for (const auto &[key, topics] : words_) {
        const uint32_t codesAt = uint32_t(out.size());
        BitWriter codes(out);
        uint32_t lastTopic = 0;
        for (const auto &[topic, unsorted] : topics) {
            std::vector<uint32_t> locations = unsorted;
            std::sort(locations.begin(), locations.end());
            locations.erase(std::unique(locations.begin(), locations.end()), locations.end());
            codes.scaleRoot(topic - lastTopic, kTopicRoot);
            lastTopic = topic;
            codes.scaleRoot(uint32_t(locations.size()), kCountRoot);
            uint32_t lastLocation = 0;
            for (const uint32_t location : locations) {
                codes.scaleRoot(location - lastLocation, kLocationRoot);
                lastLocation = location;
            }
            codes.align();
            occurrences += uint32_t(locations.size());
            occurrencesLength += uint32_t(locations.size() * key.word.size());
        }
        const uint32_t codesSize = uint32_t(out.size()) - codesAt;

        std::vector<uint8_t> tail;
        tail.push_back(key.inTitle ? 1 : 0);
        appendEncInt(tail, uint32_t(topics.size()));
        append32(tail, codesAt);
        tail.push_back(0);
        tail.push_back(0);
        appendEncInt(tail, codesSize);
        if (!leaves.back().fits(key.word, tail.size()))
            leaves.emplace_back(kLeafHeaderSize);
        Node &leaf = leaves.back();
        leaf.appendWord(key.word);
        leaf.bytes().insert(leaf.bytes().end(), tail.begin(), tail.end());

        longest = std::max(longest, uint32_t(key.word.size()));
        distinctLength += uint32_t(key.word.size());
    }

    // Leaf nodes, each pointing at the next.
    std::vector<Child> children;
    const uint32_t firstLeaf = uint32_t(out.size());
    for (size_t i = 0; i < leaves.size(); ++i) {
        std::vector<uint8_t> &node = leaves[i].bytes();
        const uint32_t offset = firstLeaf + uint32_t(i) * kNodeSize;
        put32(node, 0, i + 1 < leaves.size() ? offset + kNodeSize : 0);
        put16(node, 6, leaves[i].freeBytes());
        node.resize(kNodeSize, 0);
        out.insert(out.end(), node.begin(), node.end());
        children.push_back({leaves[i].lastWord(), offset});
    }
    const uint32_t lastLeafFree = leaves.back().freeBytes();

    // Index levels: each entry names the last word of a node below.
    uint16_t depth = 1;
    while (children.size() > 1) {
        std::vector<Node> level(1, Node(kIndexHeaderSize));
        for (const Child &child : children) {
            if (!level.back().fits(child.lastWord, 6))
                level.emplace_back(kIndexHeaderSize);
            Node &node = level.back();
            node.appendWord(child.lastWord);
            append32(node.bytes(), child.offset);
            node.bytes().push_back(0);
            node.bytes().push_back(0);
        }
        children.clear();
        for (Node &node : level) {
            put16(node.bytes(), 0, node.freeBytes());
            children.push_back({node.lastWord(), uint32_t(out.size())});
            node.bytes().resize(kNodeSize, 0);
            out.insert(out.end(), node.bytes().begin(), node.bytes().end());
        }
        ++depth;
    }

    const uint32_t root = children.front().offset;
    out[kSignature + 2] = 0x28;
    put32(out, kPageCount, pageCount);
    put32(out, kRootNode, root);
    put32(out, kLeafCount, uint32_t(leaves.size()));
    put32(out, kRootNodeAgain, root);
    put16(out, kTreeDepth, depth);
    put32(out, kUnknown7, 7);
    const uint8_t scalesAndRoots[] = {2, kTopicRoot, 2, kCountRoot, 2, kLocationRoot};
    std::copy(std::begin(scalesAndRoots), std::end(scalesAndRoots), out.begin() + kScalesAndRoots);
    put32(out, kNodeSizeAt, kNodeSize);
    put32(out, kUnknown1And5, 1);
    put32(out, kUnknown1And5 + 4, 5);
    put32(out, kLongestWordAt, longest);
    put32(out, kWordOccurrences, occurrences);
    put32(out, kDistinctWords, uint32_t(words_.size()));
    put32(out, kOccurrencesLength, occurrencesLength);
    put32(out, kDistinctLength, distinctLength);
    put32(out, kLastLeafFree, lastLeafFree);
    put32(out, kPageCountLess1, pageCount == 0 ? 0 : pageCount - 1);
    put32(out, kCodePage, codePage);
    put32(out, kLcid, lcid);
    return out;
}
