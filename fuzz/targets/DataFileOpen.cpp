// Opening a data file as the Open command does it: the first image-length bytes
// of any file, laid out as the image, then the whole plan decoded from it.
#include "FuzzSupport.h"
#include "SignallingText.h"
#include "Targets.h"

#include "core/ChannelCodec.h"
#include "core/DataFile.h"
#include "core/MemoryImage.h"
#include "core/Options.h"
#include "core/Plan.h"

#include <algorithm>

namespace fuzz {

// Helpers of this target, named so that several targets can share one test file.
namespace dataFileOpen {

constexpr std::size_t kGapStart = 16, kGapEnd = 32; // file bytes that always hold 0xFF

// What the channel window shows of a plan: the decoded fields of every channel,
// its signalling texts, the option selections, model and band.
struct ShownPlan {
    std::vector<std::vector<int32_t>> fields;
    std::vector<std::string> decText, encText;
    std::vector<int16_t> options;
    int modelIndex = 0, bandIndex = 0;
    int32_t bandLow = 0, bandHigh = 0;
    bool operator==(const ShownPlan &) const = default;
};

ShownPlan shownPlan(const cps::Cps &c) {
    ShownPlan p;
    for (int n = 1; n <= c.cols.channelCount; ++n) {
        const auto &row = c.ch.ChInfo.at(static_cast<std::size_t>(n));
        // fields 1..2 (frequencies) and 5..8 (bits); 3, 4 and 9.. have no storage
        p.fields.push_back(
            {row[cps::field::Rx], row[cps::field::Tx], row[5], row[6], row[7], row[8]});
        p.decText.push_back(c.ch.decText.at(static_cast<std::size_t>(n)));
        p.encText.push_back(c.ch.encText.at(static_cast<std::size_t>(n)));
    }
    p.options.assign(c.opt.sel.begin(), c.opt.sel.begin() + cps::kOptionCount);
    p.modelIndex = c.modelIndex;
    p.bandIndex = c.bandIndex;
    p.bandLow = c.bandLow;
    p.bandHigh = c.bandHigh;
    return p;
}

bool isStoredFrequency(int32_t f) {
    return f == -1 || (f >= 0 && f <= 99999999);
}

} // namespace dataFileOpen

int fuzzDataFileOpen(const uint8_t *data, std::size_t size) {
    using namespace dataFileOpen;
    cps::CollectingSink sink;
    cps::Cps c = readySession();
    c.sink = &sink;
    const std::size_t imageSize = c.IicDat.size();
    const auto path = Scratch::get().file("open.dat");
    writeFile(path, std::string(reinterpret_cast<const char *>(data), size));

    // A file shorter than the image is refused before anything of the plan changes.
    const auto bytes = cps::readDataFile(path.string(), imageSize);
    require(bytes.has_value() == (size >= imageSize),
            "a data file is taken exactly when it holds at least the image's length");
    if (!bytes)
        return 0;
    require(bytes->size() == imageSize && std::equal(bytes->begin(), bytes->end(), data),
            "the file's first image-length bytes are what is read");

    c.IicDat = cps::fileBytesToImage(*bytes, imageSize);
    require(c.IicDat.size() == imageSize, "the image keeps its length");
    const auto fileAgain = cps::imageToFileBytes(c.IicDat);
    for (std::size_t i = 0; i < imageSize; ++i)
        require(fileAgain[i] == (i >= kGapStart && i < kGapEnd ? 0xFF : (*bytes)[i]),
                "saving the opened image gives the file back, with 0xFF in bytes 16..31");

    const auto laidOut = c.IicDat;
    cps::SoftDisplay(c);
    for (std::size_t a = 0; a < imageSize; ++a)
        require(a == static_cast<std::size_t>(cps::kModelByte) || c.IicDat[a] == laidOut[a],
                "decoding changes no byte of the image but an unknown model byte");
    require(c.modelIndex == 0 && c.IicDat[cps::kModelByte] == 0, "the only model is model 0");

    const ShownPlan first = shownPlan(c);
    for (int n = 0; n < c.cols.channelCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        require(isStoredFrequency(first.fields[i][0]) && isStoredFrequency(first.fields[i][1]),
                "decoded frequencies are none or at most eight decimal digits");
        for (const auto *text : {&first.decText[i], &first.encText[i]})
            require(text->empty() || isSignallingText(*text, c.noneText),
                    "decoded signalling is none, a tone or a DCS code: '" + *text + "'");
    }

    // Saving the plan and opening it again shows the same plan.
    cps::SetConvIicDat(c);
    cps::SoftDisplay(c);
    require(shownPlan(c) == first,
            "encoding the decoded plan and decoding it again changes nothing");
    return 0;
}

} // namespace fuzz
