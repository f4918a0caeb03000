// The interface text table. The expected texts below are typed from
// the product's text list (its English list and its table of entries in all three
// languages), not read back from the tables under test.
#include "core/FaceText.h"
#include "core/Cps.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

struct Given {
    int entry;
    const char *text;
};

// Every English text of the interface.
const std::vector<Given> kEnglish = {
    {0, "New"},
    {1, "Open"},
    {2, "Save"},
    {3, "Read"},
    {4, "Write"},
    {5, "Port"},
    {6, "Help"},
    {7, "Exit"},
    {8, "Print"},
    {16, "Brenvik Radio Software"},
    {20, "&File"},
    {21, "&New"},
    {22, "&Open"},
    {23, "&Save"},
    {24, "S&ave As"},
    {25, "&Exit"},
    {26, "&Program"},
    {27, "&Read"},
    {28, "&Write"},
    {29, "&Option"},
    {30, "Optional &Feature"},
    {31, "&Settings"},
    {32, "&Communication Port"},
    {33, "&Language Settings"},
    {34, "&Simplified Chinese"},
    {35, "&English"},
    {36, "&Help"},
    {37, "Help &Topic"},
    {38, "&About"},
    {39, "&Model"},
    {40, "&Test Mode"},
    {41, "&Test Frequency"},
    {42, "&Batch Write Test Data"},
    {43, "&Print"},
    {44, "&Additional frq. range"},
    {45, "&DTMF"},
    {46, "&Key Assignment"},
    {47, "&Lock Channel Interface"},
    {48, "&Auto Read/Write Radio"},
    {49, "&Radio Version"},
    {50, "OK"},
    {51, "Model:"},
    {52, "Frequency:"},
    {53, "Version:"},
    {54, "Time:"},
    {57, "Traditional Chinese"},
    {58, "Lock Face(&D)"},
    {60, "Communication Port"},
    {61, "Set"},
    {62, "Communication Port"},
    {63, "OK"},
    {64, "Cancel"},
    {66, "Channel Information"},
    {68, "Language has changed, you need to restart the software."},
    {69, "This software Can't support this radio!Please use special radio software or contact with "
         "dealers!"},
    {70, "Notice"},
    {71, "Are you sure delete all channels data?"},
    {72, "All data will be cleared,continue?"},
    {73, "Are you sure want to exit?"},
    {74, "All data will be cleared,continue?"},
    {75, "Failed to open port,Please set communication port first!"},
    {76, "Communicating,wait a minute"},
    {77, "Communication success"},
    {78, "Communication failed"},
    {79, "Communication failed,please check commuication port!"},
    {80, "Communication failed"},
    {81, "Failed to open port!"},
    {82, "TempData has changed,Do you want to save it now?"},
    {83, "Wrong file type!"},
    {84, "Save file failed!"},
    {85, "File Name:"},
    {86, "Save file failed!"},
    {87, "Read file failed!"},
    {88, "Frequency range is not right!"},
    {89, "Frequency range is not right，continue?"},
    {90, "Status"},
    {91, "Time"},
    {92, "Communication Port"},
    {93, "File Path"},
    {94, "Ready"},
    {95, "Radio Programming Software"},
    {96, "For"},
    {100, "&Read"},
    {101, "&Write"},
    {102, "Communicate"},
    {105, "Printing，Please wait..."},
    {106, "Print occur error!"},
    {110, "Delete channel"},
    {112, "Delete all channels"},
    {113, "Save as default"},
    {114, "Open channel"},
    {116, "Interface Locked"},
    {120, "Model Type"},
    {121, "Frequency"},
    {122, "OK"},
    {123, "Model Information"},
    {124, "Frequency data will be cleared!"},
    {134, "Please read data from radio first!"},
    {135, "Please write test frequency to radio first!"},
    {140, "Occur error!"},
    {141, "Software is running now!"},
    {142, "Select Print Content"},
    {143, "Item"},
    {144, "Cover"},
    {145, "Radio Settings"},
    {146, "Channel Information"},
    {147, "Print"},
    {148, "Cancel"},
    {149, "Print Chananel Data"},
    {150, "Auto Read/Write Setting"},
    {151, "Interval Time"},
    {152, "Write to Radio"},
    {153, "Read from Radio"},
    {154, "Show Progress"},
    {155, "Auto Read/Write"},
    {156, "Communication"},
    {157, "Times"},
    {160, "Radio Version"},
    {161, "Radio Version"},
    {162, "MCU Ver："},
    {163, "Time："},
    {164, "Reading Now......"},
    {165, "Read Successful"},
    {166, "Read Failed"},
    {167, "&Read"},
    {170, "Communicating"},
    {171, "Successful"},
    {172, "Fail"},
    {175, "Rx：Communication failed! No receive Data!"},
    {176, "Rx：Communication failed! Receive Data Error!"},
    {179, "Unknown Time"},
    {180, "."},
    {181, "."},
    {183, "Radio Info"},
    {184, "Model Type"},
    {185, "Frequency[MHz]"},
    {186, "Soft Version"},
    {187, "Write Data Last Time"},
    {200, "Optional Features"},
    {205, "Step"},
    {206, "5K"},
    {207, "6.25K"},
    {208, "10K"},
    {209, "12.5K"},
    {210, "15K"},
    {211, "20K"},
    {212, "25K"},
    {213, "30K"},
    {214, "50K"},
    {215, "100K"},
    {217, "Sql"},
    {218, "Lamp"},
    {219, "Led"},
    {220, "Off"},
    {221, "On"},
    {222, "Auto"},
    {223, "Beep"},
    {224, "Off"},
    {225, "On"},
    {226, "Voice Annunciation"},
    {227, "Off"},
    {228, "Chinese"},
    {229, "English"},
    {230, "Clock"},
    {231, "Off"},
    {232, "On"},
    {233, "Time Out Timer[s]"},
    {234, "Off"},
    {235, "60s"},
    {236, "120s"},
    {237, "240s"},
    {238, "s"},
    {239, "Volume"},
    {240, "Radio Sql"},
    {241, "Radio Volume"},
    {242, "Battery Save Type"},
    {243, "Off"},
    {244, "Auto Power Off[Hour]"},
    {245, "Off"},
    {246, "Key Lock"},
    {247, "Manual"},
    {248, "Auto"},
    {249, "Scan Resume"},
    {250, "Time"},
    {251, "Carrier"},
    {252, "Seek"},
    {253, "Display"},
    {254, "Off"},
    {255, "DC"},
    {256, "MSG"},
    {257, "Ch Name/Freq"},
    {258, "Ch Name"},
    {259, "Freq"},
    {262, "Roger"},
    {263, "Off"},
    {264, "On"},
    {266, "Pc Time Set to Radio Time"},
    {267, "Lock Radio"},
    {268, "Power On Message"},
    {270, "Alarm"},
    {271, "Enable Alarm"},
    {272, "Off"},
    {273, "On"},
    {274, "Alarm Time"},
    {275, "Hour"},
    {276, "Minute"},
    {277, "Clock Alarm Tone"},
    {282, "Off"},
    {283, "Blue"},
    {284, "Green"},
    {285, "Red"},
    {286, "Cyan"},
    {287, "Purple"},
    {288, "Yellow"},
    {289, "White"},
    {291, "Power On Tone"},
    {292, "Low Battery Tone"},
    {293, "Emergency Alarm"},
    {294, "Key Lock"},
    {295, "Show Mode"},
    {296, "Freq Mode"},
    {297, "Channel Freq Mode"},
    {298, "Channel Mode"},
    {299, "Lock/Unlock Radio Code"},
    {301, "Radio Info"},
    {302, "Channel Info"},
    {303, "Optional Features"},
    {307, "Print Optional Features"},
    {308, "Print Chananel Data"},
    {310, "Clock Alarm Tone"},
    {315, "An Chip Sel"},
    {316, "Male1-1"},
    {317, "Female NA021-2"},
    {318, "Female2-3"},
    {320, "12.8MHz"},
    {321, "13.0MHz"},
    {322, "25.6MHz"},
    {323, "26.0MHz"},
    {326, "Crystal"},
    {327, "Battery Save"},
    {328, "Beep"},
    {330, "TOT Pre-Alert[s]"},
    {331, "Off"},
    {333, "VOX Gain Level"},
    {334, "Off"},
    {336, "VOX Delay Time[s]"},
    {337, "0.3"},
    {338, "0.5"},
    {339, "1.0"},
    {340, "1.5"},
    {341, "2.0"},
    {342, "3.0"},
    {346, "VOX inhibit on Rx"},
    {347, "Off"},
    {348, "On"},
    {351, "Low Battery Tx Enable"},
    {356, "Brenvik"},
    {370, "Model Information"},
    {371, "Model Type"},
    {372, "Frequency"},
    {373, "Custom"},
    {374, "Custom"},
    {375, "Min [MHz]"},
    {376, "Max [MHz]"},
    {377, "OK"},
    {378, "Cancel"},
    {405, "Read"},
    {406, "Write"},
};

struct GivenZh {
    int entry;
    const char *chs, *cht;
};

// The entries whose Chinese wording is fixed.
const std::vector<GivenZh> kChinese = {
    {16, "Brenvik对讲机写频软件", "Brenvik對講機寫頻軟體"},
    {68, "Language has changed, you need to restart the software.",
     "Language has changed, you need to restart the software."},
    {70, "提示", "提示"},
    {73, "你要退出吗?", "你要退出嗎?"},
    {74, "当前所有信道数据将被清除，是否继续?", "當前所有信道資料將被清除，是否繼續?"},
    {82, "文件内容已经改变,想保存文件吗?", "檔內容已經改變,想保存檔嗎?"},
    {83, "错误的文件类型!", "錯誤的檔類型!"},
    {84, "保存文件出错!", "保存檔出錯!"},
    {85, "文件名:", "檔案名:"},
    {86, "写文件出错!", "寫文件出錯!"},
    {94, "就绪", "就緒"},
    {116, "信道界面已锁定", "信道介面已鎖定"},
};

std::vector<std::string> loaded(int lang) {
    cps::Cps c;
    c.CurLang = static_cast<int16_t>(lang);
    cps::LoadSoftFaceText(c);
    return c.SoftFaceText;
}

} // namespace

TEST(FaceText, EnglishTextsAreExactlyTheGivenOnes) {
    const auto t = loaded(3);
    ASSERT_EQ(t.size(), static_cast<std::size_t>(cps::kSoftFaceTextSize));
    for (const auto &g : kEnglish)
        EXPECT_EQ(t.at(g.entry), g.text) << "entry " << g.entry;
}

TEST(FaceText, GivenChineseTextsAreExact) {
    const auto chs = loaded(1), cht = loaded(2);
    for (const auto &g : kChinese) {
        EXPECT_EQ(chs.at(g.entry), g.chs) << "Simplified entry " << g.entry;
        EXPECT_EQ(cht.at(g.entry), g.cht) << "Traditional entry " << g.entry;
    }
}

TEST(FaceText, FixedEntriesAreTheSameInEveryLanguage) {
    for (int lang = 1; lang <= 3; ++lang) {
        const auto t = loaded(lang);
        EXPECT_EQ(t.at(68), "Language has changed, you need to restart the software.") << lang;
        EXPECT_EQ(t.at(356), "Brenvik") << lang;
        EXPECT_EQ(t.at(300), "") << lang;
    }
}

TEST(FaceText, EveryEnglishEntryHasBothChineseTexts) {
    const auto eng = loaded(3), chs = loaded(1), cht = loaded(2);
    int withText = 0;
    for (std::size_t i = 0; i < eng.size(); ++i) {
        if (eng[i].empty()) {
            EXPECT_TRUE(chs[i].empty()) << "Simplified entry " << i << " has no English text";
            EXPECT_TRUE(cht[i].empty()) << "Traditional entry " << i << " has no English text";
            continue;
        }
        ++withText;
        EXPECT_FALSE(chs[i].empty()) << "Simplified entry " << i;
        EXPECT_FALSE(cht[i].empty()) << "Traditional entry " << i;
    }
    // At least the given entries, the two maker lines and our entries 420..425.
    EXPECT_GE(withText, static_cast<int>(kEnglish.size()) + 2 + 6);
    for (int n : {55, 56})
        EXPECT_FALSE(eng.at(n).empty()) << "maker line " << n;
}

TEST(FaceText, OwnEntries) {
    const auto eng = loaded(3);
    const std::vector<std::pair<int, std::string>> own = {
        {420, "Verify after write"},
        {421, "Backup before write"},
        {422, "Verify failed at address"},
        {423, "Backup failed, nothing was written to the radio!"},
        {424, "Write Successful"},
        {425, "Write Failed"},
    };
    for (const auto &[n, text] : own)
        EXPECT_EQ(eng.at(n), text) << "entry " << n;
}

TEST(FaceText, ChineseTablesUseTheirOwnScript) {
    const auto chs = loaded(1), cht = loaded(2);
    // A few words whose simplified and traditional forms differ.
    EXPECT_NE(chs.at(16), cht.at(16));
    EXPECT_EQ(chs.at(94), "就绪");
    EXPECT_EQ(cht.at(94), "就緒");
    for (std::size_t i = 0; i < chs.size(); ++i) {
        for (const char *simplifiedOnly : {"读", "写", "频", "设", "对", "讲", "锁", "机", "数"})
            EXPECT_EQ(cht[i].find(simplifiedOnly), std::string::npos)
                << "Traditional entry " << i << ": " << cht[i];
        for (const char *traditionalOnly : {"讀", "寫", "頻", "設", "對", "講", "鎖", "機", "數"})
            EXPECT_EQ(chs[i].find(traditionalOnly), std::string::npos)
                << "Simplified entry " << i << ": " << chs[i];
    }
}

TEST(FaceText, LanguageOutsideOneToThreeLoadsEnglish) {
    const auto eng = loaded(3);
    for (int lang : {0, 7}) {
        cps::Cps c;
        c.CurLang = static_cast<int16_t>(lang);
        cps::LoadSoftFaceText(c);
        EXPECT_EQ(c.CurLang, 3);
        EXPECT_EQ(c.SoftFaceText, eng) << "language " << lang;
        EXPECT_EQ(c.SoftFaceText.at(16), "Brenvik Radio Software");
    }
}

TEST(FaceText, NoneTexts) {
    EXPECT_EQ(cps::noneTextFor(1), "无");
    EXPECT_EQ(cps::noneTextFor(2), "無");
    EXPECT_EQ(cps::noneTextFor(3), "None");
    EXPECT_EQ(cps::noneTextFor(0), "None");
}
