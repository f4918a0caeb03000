#pragma once
// Radio-wide options: 16 entries of the option selection table and their bytes.
//
//   #  control            byte        stored as
//   0  cboTot             0x130       selection (0 Off, n = 15n s)
//   1  cboSql             0x134       selection
//   2  cboVolume          0x3FF       selection
//   3  cboAnVoice         0x12F       selection
//   4  cboRadioSql        0x3F6       selection + 134
//   5  cboRadioVolume     0x3F7       selection + 160 (read: AND 0x0F)
//   6  chkBatSave         0x135       selection
//   7  chkBeep            0x136       selection
//   8  chkEmergencyAlarm  0x3FC bit 7
//   9  cboAnChipSel       0x3FE bits 0-1 (read only)
//  10  cboCrystal         0x3D8, else 0x3D3 bits 6-7 (read only)
//  11  cboPreTot          0x131       selection
//  12  cboVoxLevel        0x13A       selection
//  13  cboVoxDly          0x13B       selection
//  14  cboVoxRxForbid     0x138       selection
//  15  chkLowBatTx        0x3FE bit 2
#include "core/Cps.h"

#include <string>
#include <vector>

namespace cps {

constexpr int kOptionCount = 16;

namespace opt {
constexpr int Tot = 0, Sql = 1, Volume = 2, AnVoice = 3, RadioSql = 4, RadioVolume = 5,
              BatSave = 6, Beep = 7, EmergencyAlarm = 8, AnChipSel = 9, Crystal = 10, PreTot = 11,
              VoxLevel = 12, VoxDly = 13, VoxRxForbid = 14, LowBatTx = 15;
}

struct OptionDef {
    const char *control; // e.g. "cboTot"
    int captionText;     // interface text entry of its label or check box
    bool checkBox;
    const char *rangeName; // Chinese name used in the range message
};
const std::vector<OptionDef> &optionDefs();

// The choice captions of drop-down option k in the interface language.
std::vector<std::string> optionChoices(const Cps &c, int k);
// The option-range report text for option k.
std::string optionRangeMessage(int k);

void OptNowDefSol(Cps &c, int mode);
void OptSelSaveSol(Cps &c, int direction);
void OptSelToSave(Cps &c);
void SaveToOptSel(Cps &c);
// The values the option controls show: an out-of-range drop-down value is
// logged with its range message and replaced by the default; check boxes
// become 0/1. Leaves the selection table equal to what is shown.
void InitOptValues(Cps &c);

} // namespace cps
