#include "core/Options.h"

namespace cps {

const std::vector<OptionDef> &optionDefs() {
    static const std::vector<OptionDef> defs{
        {"cboTot", 233, false, "超时定时器"},
        {"cboSql", 217, false, "静噪电平"},
        {"cboVolume", 239, false, "对讲机音量"},
        {"cboAnVoice", 226, false, "语音通知"},
        {"cboRadioSql", 240, false, "收音机静噪电平"},
        {"cboRadioVolume", 241, false, "收音机音量"},
        {"chkBatSave", 327, true, ""},
        {"chkBeep", 328, true, ""},
        {"chkEmergencyAlarm", 293, true, ""},
        {"cboAnChipSel", 315, false, "语音片选择"},
        {"cboCrystal", 326, false, "晶体频率"},
        {"cboPreTot", 330, false, "超时预警"},
        {"cboVoxLevel", 333, false, "VOX增益电平"},
        {"cboVoxDly", 336, false, "VOX延迟时间[秒]"},
        {"cboVoxRxForbid", 346, false, "接收时禁止VOX"},
        {"chkLowBatTx", 351, true, ""},
    };
    return defs;
}

namespace {

std::vector<std::string> numbers(int from, int to) {
    std::vector<std::string> v;
    for (int i = from; i <= to; ++i) v.push_back(std::to_string(i));
    return v;
}

std::vector<std::string> texts(const Cps &c, int first, int last) {
    std::vector<std::string> v;
    for (int i = first; i <= last; ++i) v.push_back(c.text(i));
    return v;
}

std::vector<std::string> offThenNumbers(const Cps &c, int offText, int to) {
    auto v = numbers(1, to);
    v.insert(v.begin(), c.text(offText));
    return v;
}

uint8_t toByte(int value) {
    if (value < 0 || value > 255) raise(err::Overflow);
    return static_cast<uint8_t>(value);
}

int16_t &sel(Cps &c, int k) { return c.opt.sel.at(static_cast<std::size_t>(k)); }
int16_t def(const Cps &c, int k) { return c.opt.def.at(static_cast<std::size_t>(k)); }

} // namespace

std::vector<std::string> optionChoices(const Cps &c, int k) {
    switch (k) {
    case opt::Tot: {
        std::vector<std::string> v{c.text(234)};
        for (int n = 1; n <= 20; ++n) v.push_back(std::to_string(15 * n) + c.text(238));
        return v;
    }
    case opt::Sql: return numbers(0, 9);
    case opt::Volume: return numbers(0, 15);
    case opt::AnVoice: return texts(c, 227, 229);
    case opt::RadioSql: return numbers(0, 32);
    case opt::RadioVolume: return numbers(0, 15);
    case opt::AnChipSel: return texts(c, 316, 317);
    case opt::Crystal: return texts(c, 320, 323);
    case opt::PreTot: return offThenNumbers(c, 331, 10);
    case opt::VoxLevel: return offThenNumbers(c, 334, 10);
    case opt::VoxDly: return texts(c, 337, 342);
    case opt::VoxRxForbid: return texts(c, 347, 348);
    default: return {};
    }
}

std::string optionRangeMessage(int k) {
    // The radio-squelch message has three spaces before its type, the others five.
    const std::string gap = k == opt::RadioSql ? "   " : "     ";
    return std::string("出错位置: frmChMem->InitOpt->") + optionDefs().at(static_cast<std::size_t>(k)).rangeName +
           gap + "错误类型: 不在范围内";
}

void OptNowDefSol(Cps &c, int mode) {
    guarded(c.log(), "modSysSet->OptNowDefSol", [&] {
        const auto ini = c.ini();
        const int base = c.keyBase();
        if (mode == 0) {
            c.opt.count = toInt16(ini.read("Option", "0", "0", 20));
            for (int k = 0; k < c.opt.count; ++k) {
                c.opt.def.at(static_cast<std::size_t>(k)) =
                    toInt16(ini.read("Option", std::to_string(base + 1 + k), "0", 20));
                sel(c, k) = toInt16(ini.read("Option", std::to_string(base + 501 + k), "0", 20));
            }
        } else if (mode == 2) {
            std::vector<IniEntry> keys;
            for (int k = 0; k < c.opt.count; ++k) {
                sel(c, k) = def(c, k);
                keys.push_back({"Option", std::to_string(base + 501 + k), std::to_string(sel(c, k))});
            }
            if (!c.settingsReadOnly)
                ini.store(keys);
        }
    });
}

void OptSelSaveSol(Cps &c, int direction) {
    guarded(c.log(), "modSysSet->OptSelSaveSol", [&] {
        if (direction == 0) OptSelToSave(c);
        else if (direction == 1) SaveToOptSel(c);
    });
}

void OptSelToSave(Cps &c) {
    guarded(c.log(), "modSysSet->OptSelToSave", [&] {
        c.at(0x130) = toByte(sel(c, opt::Tot));
        c.at(0x134) = toByte(sel(c, opt::Sql));
        c.at(0x3FF) = toByte(sel(c, opt::Volume));
        c.at(0x12F) = toByte(sel(c, opt::AnVoice));
        c.at(0x3F6) = toByte(sel(c, opt::RadioSql) + 134);
        c.at(0x3F7) = toByte(sel(c, opt::RadioVolume) + 160);
        c.at(0x135) = toByte(sel(c, opt::BatSave));
        c.at(0x136) = toByte(sel(c, opt::Beep));
        c.at(0x3FC) = static_cast<uint8_t>((c.at(0x3FC) & 0x7F) | (sel(c, opt::EmergencyAlarm) == 1 ? 0x80 : 0));
        c.at(0x131) = toByte(sel(c, opt::PreTot));
        c.at(0x13A) = toByte(sel(c, opt::VoxLevel));
        c.at(0x13B) = toByte(sel(c, opt::VoxDly));
        c.at(0x138) = toByte(sel(c, opt::VoxRxForbid));
        c.at(0x3FE) = static_cast<uint8_t>((c.at(0x3FE) & 0xFB) | (sel(c, opt::LowBatTx) == 1 ? 0x04 : 0));
    });
}

void SaveToOptSel(Cps &c) {
    guarded(c.log(), "modSysSet->SaveToOptSel", [&] {
        auto ranged = [&](int k, int value, int highest) {
            sel(c, k) = (value < 0 || value > highest) ? def(c, k) : static_cast<int16_t>(value);
        };
        ranged(opt::Tot, c.at(0x130), 20);
        ranged(opt::Sql, c.at(0x134), 9);
        ranged(opt::Volume, c.at(0x3FF), 15);
        ranged(opt::AnVoice, c.at(0x12F), 2);
        ranged(opt::RadioSql, c.at(0x3F6) - 134, 32);
        sel(c, opt::RadioVolume) = c.at(0x3F7) & 0x0F;
        sel(c, opt::BatSave) = c.at(0x135) & 0x01;
        sel(c, opt::Beep) = c.at(0x136) & 0x01;
        sel(c, opt::EmergencyAlarm) = (c.at(0x3FC) & 0x80) ? 1 : 0;
        const int chip = c.at(0x3FE) & 0x03;
        sel(c, opt::AnChipSel) = chip == 0 ? 0 : chip == 2 ? 2 : 1;
        switch (c.at(0x3D8)) {
        case 0x5A: sel(c, opt::Crystal) = 0; break;
        case 0x75: sel(c, opt::Crystal) = 1; break;
        case 0x49: sel(c, opt::Crystal) = 2; break;
        case 0xA8: sel(c, opt::Crystal) = 3; break;
        default: sel(c, opt::Crystal) = static_cast<int16_t>(c.at(0x3D3) >> 6);
        }
        ranged(opt::PreTot, c.at(0x131), 10);
        ranged(opt::VoxLevel, c.at(0x13A), 10);
        ranged(opt::VoxDly, c.at(0x13B), 5);
        ranged(opt::VoxRxForbid, c.at(0x138), 1);
        ranged(opt::LowBatTx, (c.at(0x3FE) & 4) / 4, 1);
    });
}

void InitOptValues(Cps &c) {
    guarded(c.log(), "frmChMem->InitOpt:", [&] {
        for (int k = 0; k < kOptionCount; ++k) {
            const auto &d = optionDefs()[static_cast<std::size_t>(k)];
            if (d.checkBox) {
                sel(c, k) = sel(c, k) != 0 ? 1 : 0;
                continue;
            }
            const int highest = static_cast<int>(optionChoices(c, k).size()) - 1;
            if (sel(c, k) > highest) {
                c.log().optionRange(optionRangeMessage(k));
                // Selecting a default that is itself outside the list fails here.
                if (def(c, k) > highest) raise(err::InvalidProperty);
                sel(c, k) = def(c, k);
            } else if (sel(c, k) < 0) {
                sel(c, k) = -1; // the list is left without a selected entry
            }
        }
    });
}

} // namespace cps
