#pragma once
// The shared state of one run of the tool: the memory image and template, the
// decoded forms (channel table, signalling texts, option tables), band limits,
// the column definition table, the interface texts and the shell flags. The
// main window owns one for the whole run; a CLI run or a test builds its own.
#include "core/Failure.h"
#include "core/FileLocations.h"
#include "core/Ini.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace cps {

constexpr int kMaxChannels = 260;
constexpr int kChannelFields = 21;
constexpr int kMaxOptions = 100;
constexpr int kSoftFaceTextSize = 800;

// Column definition table: read from section "ChInfo" for the interface language.
struct ColumnDefs {
    int16_t channelCount = 16;
    int16_t rowHeight = 240;
    int16_t columnCount = 9;
    std::string format = "0|0|0|0|0|0|0|0|0|0";
    std::vector<int16_t> widths;                 // column 0..columnCount
    std::vector<std::vector<std::string>> items; // items[c][k], c = 1..columnCount (index 0 unused)

    const std::string &item(int column, int k) const; // throws index out of range
    int itemCount(int column) const;
};

// Decoded channel table: fields 0..20 of channels 1..260 (index 0 unused).
struct ChannelTable {
    std::array<std::array<int32_t, kChannelFields>, kMaxChannels + 1> ChInfo{};
    std::array<std::string, kMaxChannels + 1> decText, encText;
};

struct OptionTables {
    std::array<int16_t, kMaxOptions> sel{}; // option selection table
    std::array<int16_t, kMaxOptions> def{}; // option default table
    int16_t count = 0;
};

// Settings read at start-up from section "Setting".
struct Settings {
    int16_t com = 1;
    int16_t datNum = 0;
    std::string engFont = "Times New Roman", chsFont = "宋体";
    uint32_t overColor = 0x0000FF; // RGB as 0x00BBGGRR (the settings' colour numbers)
    uint32_t defColor = 0x000000;
    bool haveOverColor = false, haveDefColor = false;
    std::string tableMaxAddrText = "1FFF", readStartText = "0000", readEndText = "1FFF",
                writeStartText = "0000", writeEndText = "1FFF";
    int16_t tableMaxAddr = 0x1FFF, readStart = 0, readEnd = 0x1FFF, writeStart = 0,
            writeEnd = 0x1FFF;
    int16_t fillStart = 0, fillEnd = 0x1FFF; // memory data view fill range
};

// What windows do when the plan changes; every hook is optional. The CLI and
// core tests run with no view at all.
class PlanView {
public:
    virtual ~PlanView() = default;
    virtual void ShowChTblGrid() {}           // redraw the channel grid from the table
    virtual void InitOpt() {} // check (InitOptValues) and show the option selections
    virtual void hideCtdcsBox() {}            // hide the grid's floating signalling box
    virtual void clearChannelRow(int /*n*/) {} // empty row n's cells (channel deleted)
    virtual void showModelBand() {}           // model and band selectors follow Cps::modelIndex/bandIndex
};

struct Cps {
    // --- shell
    FileLocations files;      // where the settings, default image, plans and help live
    std::string SettingsFile; // the settings file in use (files.settingsFile)
    int16_t CurLang = 3;
    std::string CurFont;
    std::vector<std::string> SoftFaceText = std::vector<std::string>(kSoftFaceTextSize);
    std::string LockState = "ShowNo";
    bool QuietExit = false;
    int16_t Closing = 0;
    std::string CurFilePath, DefFilePath;
    std::array<uint16_t, 16> BitMask{}, BitClear{};
    std::string ItemEnd = "*EndOfThisItem*";
    Settings settings;
    // A session without windows (brenvik-cli) reads the settings file and never
    // writes it: values the desktop tool would store (option defaults of a new
    // plan, an automatic port choice) change only this state.
    bool settingsReadOnly = false;

    // --- memory image (addresses 0..DatNum) and template image
    std::vector<uint8_t> IicDat, TempDat;
    std::array<uint8_t, 4> convBuf{}; // conversion buffer shared by the codec

    // --- model and band
    int modelIndex = 0;
    int bandIndex = 7;
    int32_t bandLow = 40000000, bandHigh = 47000000; // 10 Hz units
    bool bandGuard = false;

    // --- decoded forms
    ColumnDefs cols;
    ChannelTable ch;
    std::string noneText = "None";
    std::vector<std::string> ctdcsList; // 261 signalling texts
    OptionTables opt;

    // --- collaborators
    ErrorSink *sink = nullptr;
    PlanView *view = nullptr;

    IniFile ini() const { return IniFile(SettingsFile); }
    ErrorSink &log() const;
    // Language number used for per-language keys: 1..3, anything else is 3.
    int lang() const { return CurLang >= 1 && CurLang <= 3 ? CurLang : 3; }
    int keyBase() const { return lang() * 1000; }
    const std::string &text(int n) const { return SoftFaceText.at(static_cast<std::size_t>(n)); }

    // Checked image access: an address beyond the image's end is error 9.
    uint8_t &at(int address);
    uint8_t &tmpl(int address);
};

// Fills BitMask/BitClear and sizes the image and template to 0..datNum.
void initBitTables(Cps &c);
void sizeImage(Cps &c, int datNum);

} // namespace cps
