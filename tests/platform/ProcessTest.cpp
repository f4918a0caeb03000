// Whether a process is still the program it was: the port map ignores the entry
// of a simulator that has ended, even when its number has gone to another program.
#include "platform/Process.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

TEST(Process, RunningMeansThisNumberRunsThatProgram) {
    const long self = platform::currentProcessId();
    EXPECT_TRUE(platform::processRunning(self, "test_platform"));
    EXPECT_FALSE(platform::processRunning(self, "brenvik-radio-sim"));
    EXPECT_FALSE(platform::processRunning(0, "test_platform"));
    EXPECT_FALSE(platform::processRunning(-1, "test_platform"));

    QProcess other;
    other.start("sleep", {"30"});
    ASSERT_TRUE(other.waitForStarted());
    const long pid = static_cast<long>(other.processId());
    EXPECT_TRUE(platform::processRunning(pid, "sleep"));
    other.kill();
    ASSERT_TRUE(other.waitForFinished());
    EXPECT_FALSE(platform::processRunning(pid, "sleep"));
}

} // namespace
