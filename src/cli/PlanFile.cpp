#include "cli/PlanFile.h"

#include "cli/MessageLanguage.h"
#include "comm/UserFolders.h"
#include "core/ChannelEntry.h"
#include "core/DataFile.h"
#include "core/MemoryImage.h"
#include "core/MessageText.h"
#include "core/OutOfBand.h"
#include "core/Plan.h"
#include "core/Session.h"
#include "core/SettingsRecovery.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>

namespace cli {

using cps::filled;
using cps::shownName;
using cps::translated;

namespace {

constexpr int kTextWrongFileType = 83, kTextSaveFailed = 86, kTextSettingsReplaced = 507;

bool isBcdByte(uint8_t b) {
    return (b >> 4) <= 9 && (b & 0x0F) <= 9;
}

[[noreturn]] void wrongFile(const cps::Cps &c, const std::string &path, const std::string &why) {
    throw CliFailure(kExitFile,
                     shownName(path) + ": " + c.text(kTextWrongFileType) + " (" + why + ")");
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
    if (!cps::loadSession(c, files, lang ? lang : languageWithoutSettings(files), &problem))
        throw CliFailure(kExitFile,
                         filled(translated("Files", "unusable settings or default image: %1"),
                                {shownName(problem)}));
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
        return translated("Files", "the file has no band edges");
    char bytes[16];
    std::snprintf(bytes, sizeof bytes, "%02X %02X %02X %02X", image[cps::kBandLowByte],
                  image[cps::kBandLowByte + 1], image[cps::kBandHighByte],
                  image[cps::kBandHighByte + 1]);
    for (int a = cps::kBandLowByte; a <= cps::kBandHighByte + 1; ++a)
        if (!isBcdByte(image[static_cast<std::size_t>(a)]))
            return filled(translated("Files", "the band edges %1 are not packed BCD"), {bytes});
    const auto low = cps::bandEdgeValue(image[cps::kBandLowByte], image[cps::kBandLowByte + 1]);
    const auto high = cps::bandEdgeValue(image[cps::kBandHighByte], image[cps::kBandHighByte + 1]);
    if (low >= high)
        return filled(
            translated("Files", "the band edges %1 have the lower edge not below the upper"),
            {bytes});
    return {};
}

void openPlan(cps::Cps &c, const std::string &path, std::ostream &warnings) {
    std::vector<uint8_t> bytes;
    if (std::string reason; !readInput(path, bytes, reason))
        wrongFile(c, path, reason);
    if (bytes.size() < c.IicDat.size())
        wrongFile(c, path,
                  filled(translated("Files", "%1 bytes expected, %2 found"),
                         {std::to_string(c.IicDat.size()), std::to_string(bytes.size())}));
    auto image = cps::fileBytesToImage(bytes, c.IicDat.size());
    if (const std::string problem = bandEdgeProblem(image); !problem.empty())
        warnings << shownName(path) << ": "
                 << filled(translated("Files", "warning: %1; opened as the desktop tool opens it"),
                           {problem})
                 << '\n';
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
    out << filled(translated("BandGuard", "%1 of %2 channels lie outside the band %3: %4"),
                  {std::to_string(outside.size()), std::to_string(inUse),
                   cps::bandCaption(c, c.bandIndex, c.bandLow, c.bandHigh),
                   cps::channelRanges(outside)})
        << '\n';
}

void refuseChannelsOutsideBand(const cps::Cps &c, const Args &args) {
    const auto outside = cps::channelsOutsideBand(c);
    if (outside.empty() || args.has("--force"))
        return;
    const char *text =
        outside.size() > 1
            ? QT_TRANSLATE_NOOP("BandGuard", "channels %1 lie outside the band %2; nothing was "
                                             "written (--force writes them all the same)")
            : QT_TRANSLATE_NOOP("BandGuard", "channel %1 lies outside the band %2; nothing was "
                                             "written (--force writes them all the same)");
    throw CliFailure(kExitFile,
                     shownName(args.positionals()[0]) + ": " +
                         filled(translated("BandGuard", text),
                                {cps::channelRanges(outside),
                                 cps::bandCaption(c, c.bandIndex, c.bandLow, c.bandHigh)}));
}

} // namespace cli
