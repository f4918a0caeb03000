// The port dialog's "Check cable" against the virtual radio over a real
// pseudo-terminal: a real click, the findings shown, the dialog alive meanwhile.
#include "SimProcess.h"
#include "comm/QtSerialPortAdapter.h"
#include "editors/CableCheckPanel.h"
#include "editors/frmToolCom.h"
#include "support/ProgramFolder.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(CableCheckWindow, CheckCableShowsTheFindingsWithoutFreezingTheDialog) {
    testsupport::ProgramFolder folder;
    cps::CollectingSink sink;
    cps::Cps c;
    testsupport::initCps(c, folder, 3, &sink);
    // Slow replies: the check takes long enough for the dialog to be seen at work.
    testsupport::SimProcess sim({"--latency", "150"});
    ASSERT_FALSE(sim.path.isEmpty()) << "brenvik-radio-sim did not start";
    folder.set("2", sim.path.toStdString(), "Ports");
    c.settings.com = 1;

    cps::QtSerialPortAdapter port(c);
    frmToolCom dialog(c, port);
    dialog.show();
    QPushButton *check = dialog.cableCheck->cmdCheckCable;
    EXPECT_EQ(check->text(), "Check cable");
    EXPECT_TRUE(dialog.cableCheck->txtCableCheck->isHidden());
    QTest::mouseClick(dialog.COM1[1], Qt::LeftButton);

    // While the check waits for the radio, timers still fire and the dialog
    // shows it is at work.
    int ticks = 0;
    QString during;
    bool buttonDuring = true;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++ticks == 3) {
            during = dialog.cableCheck->txtCableCheck->toPlainText();
            buttonDuring = check->isEnabled();
        }
    });
    ticker.start(20);
    const int selectedBefore = port.selected();
    QTest::mouseClick(check, Qt::LeftButton);
    ticker.stop();

    EXPECT_GE(ticks, 3);
    EXPECT_EQ(during, "Checking the cable on COM2 (" + sim.path + ")...");
    EXPECT_FALSE(buttonDuring);
    EXPECT_TRUE(check->isEnabled());
    const QStringList shown = dialog.cableCheck->txtCableCheck->toPlainText().split('\n');
    ASSERT_GE(shown.size(), 5);
    EXPECT_EQ(shown[0], "COM2 (" + sim.path + ")");
    EXPECT_EQ(shown[1], "The port opened.");
    EXPECT_EQ(shown[3], "A radio answered, identification 5A 23 28: this tool supports it.");
    EXPECT_TRUE(shown.last().startsWith("Verdict: the cable and the radio work with this tool, "
                                        "but the replies are slow"));
    // The check leaves the program's port on its number.
    EXPECT_EQ(port.selected(), selectedBefore);
}
