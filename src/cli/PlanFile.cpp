#include "cli/PlanFile.h"

#include "comm/UserFolders.h"
#include "core/ChannelEntry.h"
#include "core/DataFile.h"
#include "core/MemoryImage.h"
#include "core/OutOfBand.h"
#include "core/Plan.h"
#include "core/Session.h"
#include "core/SettingsRecovery.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>

namespace cli {

namespace {

constexpr int kTextWrongFileType = 83, kTextSaveFailed = 86, kTextSettingsReplaced = 507;

bool isBcdByte(uint8_t b) {
    return (b >> 4) <= 9 && (b & 0x0F) <= 9;
}

[[noreturn]] void wrongFile(const cps::Cps &c, const std::string &path, const std::string &why) {
    throw CliFailure(kExitFile, path + ": " + c.text(kTextWrongFileType) + " (" + why + ")");
}

} // namespace

cps::FileLocations fileLocationsFor(const Args &args) {
    if (args.has("--program-dir"))
        return cps::portableLocations(args.value("--program-dir"));
    return cps::locateProgramFiles(QCoreApplication::applicationDirPath());
}

void startSession(cps::Cps &c, const Args &args, std::ostream &notices) {
    const int lang = args.intValue("--lang", 1, 3, 0);
    cps::FileLocations files = fileLocationsFor(args);
    // A settings file the desktop tool would set aside and replace: this
    // command reads the delivered copy and leaves the user's file alone.
    const std::string settings = cps::settingsToRead(files);
    const cps::SettingsCheck check = cps::checkSettingsFile(settings);
    const bool replaced =
        check.problem != cps::SettingsProblem::None && files.deliveredSettings != settings &&
        cps::checkSettingsFile(files.deliveredSettings).problem == cps::SettingsProblem::None;
    if (replaced)
        files.settingsFile = files.deliveredSettings;
    std::string problem;
    if (!cps::loadSession(c, files, lang, &problem))
        throw CliFailure(kExitFile, "unusable settings or default image: " + problem);
    if (replaced)
        notices << QString::fromStdString(c.text(kTextSettingsReplaced))
                       .arg(QString::fromStdString(settings),
                            QString::fromStdString(cps::describe(check)),
                            QString::fromStdString(files.deliveredSettings))
                       .toStdString()
                << '\n';
}

std::string bandEdgeProblem(const std::vector<uint8_t> &image) {
    if (image.size() <= static_cast<std::size_t>(cps::kBandHighByte + 1))
        return "the file has no band edges";
    char bytes[16];
    std::snprintf(bytes, sizeof bytes, "%02X %02X %02X %02X", image[cps::kBandLowByte],
                  image[cps::kBandLowByte + 1], image[cps::kBandHighByte],
                  image[cps::kBandHighByte + 1]);
    for (int a = cps::kBandLowByte; a <= cps::kBandHighByte + 1; ++a)
        if (!isBcdByte(image[static_cast<std::size_t>(a)]))
            return std::string("the band edges ") + bytes + " are not packed BCD";
    const auto low = cps::bandEdgeValue(image[cps::kBandLowByte], image[cps::kBandLowByte + 1]);
    const auto high = cps::bandEdgeValue(image[cps::kBandHighByte], image[cps::kBandHighByte + 1]);
    if (low >= high)
        return std::string("the band edges ") + bytes + " have the lower edge not below the upper";
    return {};
}

void openPlan(cps::Cps &c, const std::string &path, std::ostream &warnings) {
    std::vector<uint8_t> bytes;
    if (std::string reason; !readInput(path, bytes, reason))
        wrongFile(c, path, reason);
    if (bytes.size() < c.IicDat.size())
        wrongFile(c, path,
                  std::to_string(c.IicDat.size()) + " bytes expected, " +
                      std::to_string(bytes.size()) + " found");
    auto image = cps::fileBytesToImage(bytes, c.IicDat.size());
    if (const std::string problem = bandEdgeProblem(image); !problem.empty())
        warnings << path << ": warning: " << problem << "; opened as the desktop tool opens it\n";
    c.IicDat = std::move(image);
    cps::SoftDisplay(c);
    c.CurFilePath = path;
}

std::vector<uint8_t> planFileBytes(cps::Cps &c) {
    cps::SetConvIicDat(c);
    return cps::imageToFileBytes(c.IicDat);
}

void saveFile(const cps::Cps &c, const std::vector<uint8_t> &fileBytes, const OutputFile &out,
              Console &console) {
    out.write(fileBytes, console, c.text(kTextSaveFailed));
}

void reportChannelsOutsideBand(const cps::Cps &c, std::ostream &out) {
    const auto outside = cps::channelsOutsideBand(c);
    if (outside.empty())
        return;
    int inUse = 0;
    for (int n = 1; n <= c.cols.channelCount; ++n)
        inUse += cps::channelInUse(c, n) ? 1 : 0;
    out << outside.size() << " of " << inUse << " channels lie outside the band "
        << cps::bandCaption(c, c.bandIndex, c.bandLow, c.bandHigh) << ": " << cps::channelRanges(outside)
        << '\n';
}

void refuseChannelsOutsideBand(const cps::Cps &c, const Args &args) {
    const auto outside = cps::channelsOutsideBand(c);
    if (outside.empty() || args.has("--force"))
        return;
    throw CliFailure(kExitFile, args.positionals()[0] + ": channel" +
                                    (outside.size() > 1 ? "s " : " ") + cps::channelRanges(outside) +
                                    " lie outside the band " +
                                    cps::bandCaption(c, c.bandIndex, c.bandLow, c.bandHigh) +
                                    "; nothing was written (--force writes them all the same)");
}

} // namespace cli
