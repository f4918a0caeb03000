// A newcomer's first hour, as the README walks it: start with the virtual
// radio on COM1, read it, edit channels and options, save, start a new plan,
// open the saved one and find every edit back, print to PDF, write the radio.
#include "../gui/ChMemFixture.h"
#include "SimProcess.h"
#include "core/ChannelCodec.h"
#include "core/DataFile.h"
#include "editors/frmCommun.h"

#include <QCheckBox>
#include <QFile>
#include <QPrinter>
#include <QPushButton>

namespace {

struct FirstHour : ChMemFixture {
    std::unique_ptr<testsupport::SimProcess> sim;
    void prepareFolder() override {
        sim = std::make_unique<testsupport::SimProcess>(
            QStringList{"--attach", folder.settingsFile(), "--com", "1", "--save", radioFile()});
        ASSERT_FALSE(sim->path.isEmpty());
    }
    QString radioFile() const { return folder.dir.filePath("radio-memory.dat"); }
    void pick(QComboBox *box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
        settle();
    }
};

TEST_F(FirstHour, ReadEditSaveNewOpenPrintWrite) {
    EXPECT_EQ(w->panel(2), "COM1");
    // Read the radio from the toolbar.
    w->action("tlbRead")->trigger();
    ASSERT_TRUE(w->commun()->isVisible());
    QTest::mouseClick(w->commun()->cmdRead, Qt::LeftButton);
    EXPECT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join('|').toStdString();
    EXPECT_EQ(cell(1, 1), "446.00625");

    // Edit: a frequency, its signalling, a parameter and two options.
    enterCell(3, 1, "440.1251");
    clickCell(3, 3);
    typeIntoCtdcsBox("D754");
    doubleClickCell(3, 5);
    const int power = field(3, 5);
    pick(ch->cboSql, 5);
    ch->chkBeep->click();
    EXPECT_EQ(cell(3, 1), "440.12500");
    EXPECT_EQ(cell(3, 4), "D754N");

    const QString plan = folder.dir.filePath("my-plan.dat");
    dialogs.files = {plan};
    w->SaveAsFile();
    EXPECT_EQ(QFile(plan).size(), 8192);

    dialogs.answers = {QMessageBox::Yes};
    w->NewFile();
    EXPECT_EQ(cell(3, 1), "446.03125");
    EXPECT_EQ(ch->cboSql->currentIndex(), 3);

    dialogs.files = {plan};
    w->OpenFile();
    EXPECT_EQ(cell(3, 1), "440.12500");
    EXPECT_EQ(cell(3, 3), "D754N");
    EXPECT_EQ(field(3, 5), power);
    EXPECT_EQ(ch->cboSql->currentIndex(), 5);
    EXPECT_FALSE(ch->chkBeep->isChecked());

    const QString pdf = folder.dir.filePath("channels.pdf");
    ch->printerFactory = [&] {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdf);
        return p;
    };
    ch->cmdPrintChannel_Click();
    EXPECT_GT(QFile(pdf).size(), 1000);

    // Write the plan back and find the edit in the radio.
    dialogs.asked.clear();
    w->action("tlbWrite")->trigger();
    QTest::mouseClick(w->commun()->cmdWrite, Qt::LeftButton);
    EXPECT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join('|').toStdString();
    ASSERT_TRUE(sim->stop());
    const auto file = cps::readDataFile(radioFile().toStdString(), 8192);
    ASSERT_TRUE(file);
    const auto radio = cps::fileBytesToImage(*file, 8192);
    const int slot = cps::slotAddress(3);
    EXPECT_EQ(std::vector<uint8_t>(radio.begin() + slot, radio.begin() + slot + 4),
              (std::vector<uint8_t>{0x00, 0x25, 0x01, 0x44}));
    EXPECT_EQ(radio[0x134], 5);
    EXPECT_EQ(radio[0x136], 0);
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('\n').toStdString();
}

} // namespace
