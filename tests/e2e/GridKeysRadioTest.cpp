// What the keyboard and the wheel put on the radio: signalling entries made
// with the arrow keys, Tab, Enter, the wheel and select-all in the signalling
// box, then a write to the virtual radio, whose memory must hold exactly the
// values chosen and nothing else changed.
#include "../gui/ChMemFixture.h"
#include "../gui/GridInput.h"
#include "SimProcess.h"
#include "core/ChannelCodec.h"
#include "core/Ctdcs.h"
#include "core/DataFile.h"
#include "core/Plan.h"
#include "editors/frmCommun.h"

#include <QPushButton>

namespace {

struct GridKeysRadio : ChMemFixture {
    std::unique_ptr<testsupport::SimProcess> sim;
    void prepareFolder() override {
        sim = std::make_unique<testsupport::SimProcess>(
            QStringList{"--attach", folder.settingsFile(), "--com", "1", "--save", radioFile()});
        ASSERT_FALSE(sim->path.isEmpty());
    }
    QString radioFile() const { return folder.dir.filePath("radio-memory.dat"); }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        testsupport::pressKey(k, mods);
        settle();
    }
};

TEST_F(GridKeysRadio, TheRadioHoldsExactlyTheChosenTones) {
    chooseBand(7); // 400 - 470 MHz, the default channels
    for (int row : {1, 2, 3, 4, 5, 6, 7}) {
        clickCell(row, 3);
        typeIntoCtdcsBox("67");
    }
    // Down twice out of a box holding 67.0, then a click elsewhere.
    clickCell(1, 3);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    clickCell(8, 6);
    // Two wheel notches over the box.
    clickCell(2, 3);
    testsupport::wheelAt(ch->cboGridChCtdcs, ch->cboGridChCtdcs->rect().center(), -2);
    clickCell(8, 6);
    // 100, Tab, Down three times.
    clickCell(3, 3);
    typeKeys("100");
    key(Qt::Key_Tab);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    // 15, select all in the box, D023, Enter.
    clickCell(5, 3);
    typeKeys("15");
    key(Qt::Key_A, Qt::ControlModifier);
    typeKeys("D023");
    key(Qt::Key_Return);
    // Enter, Down, and a tone typed on the next row.
    clickCell(4, 4);
    typeKeys("D754");
    key(Qt::Key_Return);
    key(Qt::Key_Down);
    typeKeys("88.5");
    key(Qt::Key_Return);

    const std::vector<std::pair<std::string, std::string>> chosen = {
        {"67.0", "67.0"},  {"67.0", "67.0"}, {"100.0", "100.0"}, {"67.0", "D754N"},
        {"D023N", "88.5"}, {"67.0", "67.0"}, {"67.0", "67.0"},
    };
    for (int n = 1; n <= 7; ++n) {
        EXPECT_EQ(c().ch.decText[n], chosen[n - 1].first) << "channel " << n;
        EXPECT_EQ(c().ch.encText[n], chosen[n - 1].second) << "channel " << n;
    }
    cps::SetConvIicDat(c());
    const std::vector<uint8_t> written = c().IicDat;

    dialogs.asked.clear();
    w->action("tlbWrite")->trigger();
    QTest::mouseClick(w->commun()->cmdWrite, Qt::LeftButton);
    EXPECT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join('|').toStdString();
    ASSERT_TRUE(sim->stop());
    const auto file = cps::readDataFile(radioFile().toStdString(), 8192);
    ASSERT_TRUE(file);
    const auto radio = cps::fileBytesToImage(*file, 8192);

    // The radio's own decoding of its channels: the chosen tones, no other.
    for (int n = 1; n <= 7; ++n) {
        const int slot = cps::slotAddress(n);
        EXPECT_EQ(cps::QtDqtIicToChar(c(), radio[slot + 9], radio[slot + 8]), chosen[n - 1].first)
            << "channel " << n;
        EXPECT_EQ(cps::QtDqtIicToChar(c(), radio[slot + 11], radio[slot + 10]),
                  chosen[n - 1].second)
            << "channel " << n;
    }
    // Every channel slot on the radio is the plan's, byte for byte.
    const int first = cps::slotAddress(1), end = cps::slotAddress(c().cols.channelCount + 1);
    EXPECT_EQ(std::vector<uint8_t>(radio.begin() + first, radio.begin() + end),
              std::vector<uint8_t>(written.begin() + first, written.begin() + end));
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('\n').toStdString();
}

} // namespace
