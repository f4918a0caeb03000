// Why a port cannot be opened and what to do: the system's error number read
// together with the machine's facts (owning group, the user's groups, the
// holding process), faked here so every combination can be told.
#include "comm/PortTrouble.h"
#include "CommFixture.h"
#include "comm/RadioTransfer.h"
#include "core/FaceText.h"
#include "platform/PortAccess.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace cps {
namespace {

struct FakeFacts : platform::PortAccessFacts {
    int error = 0;
    std::string group = "dialout";
    bool listed = false, carried = false;
    std::vector<platform::PortHolder> holding;
    int openError(const std::string &) const override { return error; }
    std::string owningGroup(const std::string &) const override { return group; }
    bool userListedIn(const std::string &g) const override { return listed && g == group; }
    bool loginCarries(const std::string &g) const override { return carried && g == group; }
    std::vector<platform::PortHolder> holders(const std::string &) const override {
        return holding;
    }
};

QString explain(int lang, int error, const FakeFacts &facts) {
    Cps c;
    c.CurLang = static_cast<int16_t>(lang);
    LoadSoftFaceText(c);
    return portTroubleText(c, platform::diagnosePort(error, "/dev/ttyUSB0", facts));
}

TEST(PortTroubleTest, ReasonAndRemedyForEachSystemError) {
    struct Case {
        const char *name;
        int error;
        std::function<void(FakeFacts &)> facts;
        const char *english;
    };
    const std::vector<Case> cases = {
        {"not in the group", EACCES, [](FakeFacts &) {},
         "Permission denied: /dev/ttyUSB0 belongs to the group dialout. Add yourself to it with: "
         "sudo usermod -aG dialout $USER, then log out and in again."},
        {"listed but the login predates it", EACCES, [](FakeFacts &f) { f.listed = true; },
         "Permission denied: /dev/ttyUSB0 belongs to the group dialout. You are already in the "
         "group dialout, but this login does not carry it yet: log out and in again."},
        {"another owning group", EACCES, [](FakeFacts &f) { f.group = "uucp"; },
         "Permission denied: /dev/ttyUSB0 belongs to the group uucp. Add yourself to it with: "
         "sudo usermod -aG uucp $USER, then log out and in again."},
        {"group carried: not the group's fault", EACCES,
         [](FakeFacts &f) { f.listed = f.carried = true; },
         "Permission denied: this user may not open /dev/ttyUSB0."},
        {"held by a visible program", EBUSY,
         [](FakeFacts &f) {
             f.holding = {{"ModemManager", 512}};
         },
         "/dev/ttyUSB0 is held by ModemManager (pid 512). Close it, then try again."},
        {"held, holder hidden", EBUSY, [](FakeFacts &) {},
         "/dev/ttyUSB0 is held by another program. Close it, then try again."},
        {"unplugged", ENOENT, [](FakeFacts &) {},
         "No such device: /dev/ttyUSB0 is unplugged. Plug the cable in; its COM number is kept "
         "for when it comes back."},
        {"input/output error", EIO, [](FakeFacts &) {},
         "Input/output error on /dev/ttyUSB0: unplug the cable and plug it in again."},
        {"anything else keeps the system's words", EINVAL, [](FakeFacts &) {},
         "/dev/ttyUSB0 cannot be opened: Invalid argument."},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        FakeFacts facts;
        k.facts(facts);
        EXPECT_EQ(explain(3, k.error, facts).toStdString(), k.english);
        // Both Chinese tables say it too, with the same names filled in.
        for (int lang : {1, 2}) {
            const QString said = explain(lang, k.error, facts);
            EXPECT_FALSE(said.isEmpty());
            EXPECT_NE(said, QString::fromUtf8(k.english));
            EXPECT_TRUE(said.contains(QStringLiteral("/dev/ttyUSB0")));
        }
    }
    FakeFacts holder;
    holder.holding = {{"brenvik-cli", 4711}};
    EXPECT_TRUE(explain(1, EBUSY, holder).contains(QStringLiteral("brenvik-cli（进程号 4711）")));
    EXPECT_TRUE(
        explain(2, EACCES, FakeFacts{}).contains(QStringLiteral("sudo usermod -aG dialout")));
}

TEST(PortTroubleTest, ADeviceThatOpensForUsWasLockedByAnotherProgram) {
    FakeFacts facts; // the plain open succeeds: the library's open failed on its lock
    const auto d = platform::diagnoseFailedOpen("/dev/ttyUSB0", facts);
    EXPECT_EQ(d.reason, platform::PortReason::Busy);
    facts.error = ENOENT;
    EXPECT_EQ(platform::diagnoseFailedOpen("/dev/ttyUSB0", facts).reason,
              platform::PortReason::Unplugged);
}

TEST(PortTroubleTest, FailedOpenOfATransferCarriesTheReason) {
    test::LinkFixture f;
    f.c.CurLang = 3;
    LoadSoftFaceText(f.c);
    FakeFacts facts;
    f.port.openErrors = {{1, EACCES}};
    f.port.accessFacts = &facts;
    RadioTransfer t{f.c, f.port, f.ui, f.mark};
    EXPECT_EQ(t.read(), TransferResult::NotStarted);
    EXPECT_EQ(f.ui.portDialogs, 1);
    EXPECT_EQ(f.ui.portDialogReason.toStdString(),
              "Communication failed,please check commuication port! Permission denied: fake1 "
              "belongs to the group dialout. Add yourself to it with: sudo usermod -aG dialout "
              "$USER, then log out and in again.");
    EXPECT_EQ(t.openFailureText(), f.ui.portDialogReason);
    // The next open that works forgets the reason.
    f.port.openErrors.clear();
    f.port.open();
    EXPECT_EQ(f.port.openFailure().reason, platform::PortReason::None);
}

} // namespace
} // namespace cps
