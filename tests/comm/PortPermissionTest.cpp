// A real refusal by the system: a child process that has become another user
// (root → nobody) opens a serial device only the group dialout may open, and
// is told the group and the command that adds the user to it.
#include "comm/PortTrouble.h"
#include "platform/PortAccess.h"
#include "platform/PseudoTerminal.h"
#include "support/ProgramFolder.h"

#include <QByteArray>
#include <cerrno>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs `body` in a child process as `user` and returns what it wrote; an
// empty answer with `skip` set when the child could not become that user.
QByteArray runAs(const passwd &user, const std::function<QByteArray()> &body, QString &skip) {
    int fds[2];
    if (::pipe(fds) != 0) {
        skip = "no pipe";
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        QByteArray answer;
        if (::setgroups(0, nullptr) != 0 || ::setgid(user.pw_gid) != 0 ||
            ::setuid(user.pw_uid) != 0)
            answer =
                "SKIP the system did not let the test process become " + QByteArray(user.pw_name);
        else
            answer = body();
        (void)!::write(fds[1], answer.constData(), static_cast<size_t>(answer.size()));
        ::_exit(0);
    }
    ::close(fds[1]);
    QByteArray answer;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<qsizetype>(n));
    ::close(fds[0]);
    ::waitpid(child, nullptr, 0);
    if (answer.startsWith("SKIP ")) {
        skip = QString::fromUtf8(answer.mid(5));
        return {};
    }
    return answer;
}

TEST(PortPermissionTest, AnotherUserIsToldTheGroupAndTheCommand) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can become another user to be refused a device";
    const passwd *nobody = ::getpwnam("nobody");
    const group *dialout = ::getgrnam("dialout");
    if (!nobody || !dialout)
        GTEST_SKIP() << "this system has no user nobody or no group dialout";

    testsupport::ProgramFolder folder;
    cps::Cps c;
    testsupport::initCps(c, folder, 3);
    platform::PseudoTerminal pty;
    std::string error;
    ASSERT_TRUE(pty.open(error)) << error;
    // A device as the system hands out a USB-serial cable: root's, group dialout, rw for both.
    ASSERT_EQ(::chown(pty.path().c_str(), 0, dialout->gr_gid), 0) << std::strerror(errno);
    ASSERT_EQ(::chmod(pty.path().c_str(), 0660), 0) << std::strerror(errno);

    QString skip;
    const QByteArray told = runAs(
        *nobody,
        [&] {
            const platform::PortDiagnosis d = platform::diagnoseFailedOpen(pty.path());
            return QByteArray::number(d.error) + '\n' + cps::portTroubleText(c, d).toUtf8();
        },
        skip);
    if (!skip.isEmpty())
        GTEST_SKIP() << skip.toStdString();
    const QString device = QString::fromStdString(pty.path());
    EXPECT_EQ(QString::fromUtf8(told),
              QStringLiteral("%1\nPermission denied: %2 belongs to the group dialout. Add "
                             "yourself to it with: sudo usermod -aG dialout $USER, then log out "
                             "and in again.")
                  .arg(EACCES)
                  .arg(device));
}

} // namespace
