#include "core/DataFile.h"
#include "core/Failure.h"
#include "core/Ini.h"
#include "core/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray slurp(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void put(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

mode_t modeOf(const QString &path) {
    struct stat st {};
    ::stat(path.toLocal8Bit().constData(), &st);
    return st.st_mode & 07777;
}

// Files of the folder, hidden ones (temporaries, locks) included.
QStringList entries(const QTemporaryDir &dir) {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                      QDir::NoDotAndDotDot, QDir::Name);
}

// While alive, files may grow to `bytes` at most, as on a nearly full disk
// (a write past it fails with EFBIG instead of the signal).
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
    }
    rlimit saved{};
    void (*oldHandler)(int) = nullptr;
};

TEST(SafeFile, ReplacesTheTargetAndKeepsWhatItIs) {
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.dat"), privateFile = dir.filePath("private.dat"),
                  target = dir.filePath("real.dat"), link = dir.filePath("link.dat");
    put(plain, "old contents that are longer");
    put(privateFile, "old");
    QFile::setPermissions(privateFile, QFile::ReadOwner | QFile::WriteOwner);
    put(target, "old");
    ASSERT_TRUE(QFile::link(target, link));

    EXPECT_EQ(cps::saveFileAtomically(plain.toStdString(), "new"), "");
    EXPECT_EQ(slurp(plain), "new"); // no stale tail
    EXPECT_EQ(cps::saveFileAtomically(privateFile.toStdString(), "new"), "");
    EXPECT_EQ(modeOf(privateFile), 0600u);
    EXPECT_EQ(cps::saveFileAtomically(link.toStdString(), "new"), "");
    EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the link itself must stay a link";
    EXPECT_EQ(slurp(target), "new");
    EXPECT_EQ(cps::saveFileAtomically(dir.filePath("fresh.dat").toStdString(), "new"), "");
    EXPECT_EQ(slurp(dir.filePath("fresh.dat")), "new");
    EXPECT_EQ(entries(dir), QStringList({"fresh.dat", "link.dat", "plain.dat", "private.dat",
                                         "real.dat"}));
}

TEST(SafeFile, RefusesWhatIsNotARegularFileAndLeavesItAlone) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("folder"), fifo = dir.filePath("fifo");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    for (const QString &path : {folder, fifo}) {
        EXPECT_NE(cps::saveFileAtomically(path.toStdString(), "x"), "") << path.toStdString();
        EXPECT_FALSE(QFileInfo(path).isFile()) << path.toStdString();
    }
    EXPECT_EQ(entries(dir), QStringList({"fifo", "folder"}));
    EXPECT_NE(cps::saveFileAtomically(dir.filePath("no/such/folder/x").toStdString(), "x"), "");
}

// A save killed before its rename leaves its temporary file; the next save of
// that file removes it once the process is gone, and leaves alone a temporary
// of a process still running (a save in flight) and those of other files.
TEST(SafeFile, TheNextSaveRemovesTemporariesOfKilledSaves) {
    QTemporaryDir dir;
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child); // reaped: the number is free
    const QString dead = QString::number(child);
    const QString alive = QString::number(::getppid());
    const QStringList left = {".plan.dat.tmp-" + dead + "-0", ".plan.dat.tmp-" + alive + "-0",
                              ".other.dat.tmp-" + dead + "-0", ".plan.dat.tmp-x-0"};
    for (const QString &name : left)
        put(dir.filePath(name), "half a plan");
    put(dir.filePath("plan.dat"), "old");

    EXPECT_EQ(cps::saveFileAtomically(dir.filePath("plan.dat").toStdString(), "new"), "");
    EXPECT_EQ(slurp(dir.filePath("plan.dat")), "new");
    EXPECT_EQ(entries(dir), QStringList({".other.dat.tmp-" + dead + "-0",
                                         ".plan.dat.tmp-" + alive + "-0", ".plan.dat.tmp-x-0",
                                         "plan.dat"}));
}

TEST(SafeFile, AFullDiskLeavesTheOldFileWholeAndSaysWhy) {
    QTemporaryDir dir;
    const QString settings = dir.filePath("selvarn.exe"), plan = dir.filePath("plan.dat");
    const QByteArray oldSettings = "[Setting]\r\nCOM=1\r\n\r\n[Ports]\r\n3=/dev/pts/5\r\n";
    put(settings, oldSettings);
    put(plan, QByteArray(100, 1));
    const std::string longDevice = "/dev/serial/by-id/" + std::string(3000, 'x');
    std::string reason;
    {
        const FileSizeLimit limit(1024);
        reason = cps::IniFile(settings.toStdString()).write("Ports", "3", longDevice).error;
        EXPECT_THROW(cps::writeFileAtomically(plan.toStdString(), std::vector<uint8_t>(8192, 2)),
                     cps::RunError);
    }
    EXPECT_NE(reason.find(settings.toStdString()), std::string::npos) << reason;
    EXPECT_NE(reason.find("too large"), std::string::npos) << reason; // the system's reason
    EXPECT_EQ(slurp(settings), oldSettings);
    EXPECT_EQ(slurp(plan), QByteArray(100, 1));
    EXPECT_EQ(entries(dir), QStringList({"plan.dat", "selvarn.exe"})); // no temporary, no lock
}

TEST(FileLock, WaitsABoundedTimeAndTakesOverALockOfADeadProcess) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("selvarn.exe").toStdString();
    {
        QLockFile held(QString::fromStdString(file + ".lock"));
        ASSERT_TRUE(held.tryLock(0));
        const cps::FileLock waiting(file, 200);
        EXPECT_FALSE(waiting.locked());
        EXPECT_NE(waiting.error().find("locked for more than 200 ms"), std::string::npos)
            << waiting.error();
    }
    // A lock file left by a process that is gone (killed while writing).
    QProcess gone;
    gone.start("true");
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    put(QString::fromStdString(file + ".lock"),
        QByteArray::number(pid) + "\nbrenvik-cps\n" +
            QSysInfo::machineHostName().toUtf8() + "\n");
    const cps::FileLock taken(file, 2000);
    EXPECT_TRUE(taken.locked()) << taken.error();
}

} // namespace
