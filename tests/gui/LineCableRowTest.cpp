// One cable's row of the production line window, fed the line's reports in
// the order the engine sends them: a cable pulled and plugged in again shows
// what the line is doing on it now, never a stale "Cable unplugged".
#include "editors/LineCableRow.h"
#include "support/ProgramFolder.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

using cps::LineState;

struct CableBack {
    const char *name;
    bool pass;              // the last radio's result
    bool engineSawRemoval;  // the cable stayed away long enough to count as a removal
    const char *stateAfter; // the row's word once the cable is back
    const char *hintAfter;
};

class LineCableRowTest : public ::testing::TestWithParam<CableBack> {};

TEST_P(LineCableRowTest, ACableThatComesBackShowsTheLinesStateAgain) {
    const CableBack &k = GetParam();
    testsupport::ProgramFolder folder;
    cps::Cps c;
    testsupport::initCps(c, folder, 3);
    LineCableRow row(c, QStringLiteral("COM2"), QStringLiteral("/dev/ttyUSB1"));

    row.setState(LineState::Programming);
    row.setStep(cps::WriteStep::Write);
    row.setProgress(40);
    EXPECT_EQ(row.lblState->text(), "Writing 40 %");
    cps::LineResult r;
    r.port = QStringLiteral("COM2");
    r.ident = QByteArray::fromHex("5a2328");
    r.pass = k.pass;
    r.durationMs = 2500;
    if (!k.pass) {
        r.failedStep = cps::WriteStep::Verify;
        r.message = QStringLiteral("Verify failed at address 0010");
    }
    row.setResult(r);
    row.setState(LineState::WaitingForRemoval);
    EXPECT_EQ(row.lblHint->text(), "Remove the radio");
    const QString detail = row.lblDetail->text();

    row.setPresent(false);
    EXPECT_EQ(row.lblState->text(), "Cable unplugged");
    EXPECT_EQ(row.lblHint->text(), "");
    if (k.engineSawRemoval) {
        row.setState(LineState::WaitingForRadio);
        EXPECT_EQ(row.lblState->text(), "Cable unplugged");
    }

    row.setPresent(true);
    EXPECT_EQ(row.lblState->text(), k.stateAfter);
    EXPECT_EQ(row.lblHint->text(), k.hintAfter);
    EXPECT_FALSE(row.programming());
    if (!k.engineSawRemoval)
        EXPECT_EQ(row.lblDetail->text(), detail); // the result stays readable
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LineCableRowTest,
    ::testing::Values(CableBack{"PassedRadioStillOn", true, false, "PASS", "Remove the radio"},
                      CableBack{"FailedRadioStillOn", false, false, "FAIL", "Remove the radio"},
                      CableBack{"RadioTakenMeanwhile", true, true, "Waiting for a radio", ""}),
    [](const auto &info) { return std::string(info.param.name); });

// A cable that is pulled while its row waits for a radio, then comes back.
TEST(LineCableRow, ACableBackWhileWaitingWaitsAgain) {
    testsupport::ProgramFolder folder;
    cps::Cps c;
    testsupport::initCps(c, folder, 3);
    LineCableRow row(c, QStringLiteral("COM1"), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(row.lblState->text(), "Waiting for a radio");
    row.setPresent(false);
    row.setState(LineState::WaitingForRadio); // the next probe finds no device
    EXPECT_EQ(row.lblState->text(), "Cable unplugged");
    row.setPresent(true);
    EXPECT_EQ(row.lblState->text(), "Waiting for a radio");
}

} // namespace
