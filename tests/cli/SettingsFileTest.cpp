// brenvik-cli and the settings file: it only reads it (many commands at once
// on one program folder, each of which builds a new plan and so the option
// defaults, leave the file exactly as it was, not even rewritten), a bad
// value is named as the culprit, and an unusable file gives way to the
// delivered copy.
#include "CliHarness.h"

#include <sys/stat.h>

using clitest::CliFixture;

namespace {

struct FileStamp {
    ino_t inode = 0;
    timespec modified{};
    bool operator==(const FileStamp &o) const {
        return inode == o.inode && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec;
    }
};

FileStamp stampOf(const QString &path) {
    struct stat st {};
    ::stat(path.toLocal8Bit().constData(), &st);
    return {st.st_ino, st.st_mtim};
}

using SettingsStress = CliFixture;

TEST_F(SettingsStress, ParallelCommandsLeaveTheSettingsUntouched) {
    constexpr int kWorkers = 6, kRounds = 4;
    const QString plan = newPlan("plan.dat");
    const QByteArray settings = clitest::readAll(folder.settingsFile());
    const FileStamp stamp = stampOf(folder.settingsFile());

    // Each worker loops over the commands with a radio of its own; a command
    // that fails is counted in the worker's exit status.
    std::vector<std::unique_ptr<clitest::SimRadio>> radios;
    std::vector<std::unique_ptr<QProcess>> workers;
    const QString cli = clitest::binary("brenvik-cli");
    for (int w = 0; w < kWorkers; ++w) {
        radios.push_back(std::make_unique<clitest::SimRadio>(QStringList{"--image", plan}));
        ASSERT_FALSE(radios.back()->pty().isEmpty());
        const QString mine = path(QStringLiteral("w%1").arg(w));
        const QString script =
            QStringLiteral(
                "failed=0; cli() { \"$CLI\" \"$@\" --program-dir \"$DIR\" >/dev/null 2>&1 || "
                "failed=$((failed + 1)); }\n"
                "for i in $(seq %1); do\n"
                "  cli show \"$PLAN\"\n"
                "  cli export-csv \"$PLAN\" -o \"$MINE.csv\"\n"
                "  cli import-csv \"$PLAN\" \"$MINE.csv\" -o \"$MINE.dat\"\n"
                "  cli new --band 3 -o \"$MINE-new.dat\"\n"
                "  cli read --port \"$PTY\" -o \"$MINE-read.dat\"\n"
                "done\n"
                "exit $failed\n")
                .arg(kRounds);
        auto worker = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CLI", cli);
        env.insert("DIR", folder.path());
        env.insert("PLAN", plan);
        env.insert("MINE", mine);
        env.insert("PTY", radios.back()->pty());
        worker->setProcessEnvironment(env);
        worker->start("sh", {"-c", script});
        workers.push_back(std::move(worker));
    }
    for (int w = 0; w < kWorkers; ++w) {
        ASSERT_TRUE(workers[static_cast<std::size_t>(w)]->waitForFinished(120000));
        EXPECT_EQ(workers[static_cast<std::size_t>(w)]->exitCode(), 0)
            << "failed commands of worker " << w;
    }
    EXPECT_EQ(clitest::readAll(folder.settingsFile()), settings);
    EXPECT_TRUE(stampOf(folder.settingsFile()) == stamp) << "the settings file was rewritten";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"dhcpqec.exe", "selvarn.default.ini", "selvarn.exe"}))
        << "no temporary or lock file is left beside the settings";
}

TEST_F(SettingsStress, AnUnusableSettingsFileIsNamedWithWhatIsWrong) {
    struct Case {
        const char *key, *value, *want;
    } cases[] = {
        {"DatNum", "abc", "[Setting] DatNum=abc is not a number"},
        {"DatNum", "100", "[Setting] DatNum=100 is too small"},
        {"Language", "x", "[Setting] Language=x is not a number"},
    };
    const QString plan = newPlan("plan.dat");
    const QByteArray delivered = clitest::readAll(folder.settingsFile());
    for (const auto &k : cases) {
        clitest::writeAll(folder.settingsFile(), delivered);
        folder.set(k.key, k.value);
        const clitest::CliRun r = cli({"new", "-o", path("x.dat")});
        EXPECT_EQ(r.status, 3) << k.want;
        EXPECT_TRUE(r.err.contains(folder.settingsFile() + ": " + k.want)) << r.err.toStdString();
    }
}

// A settings file the desktop tool would keep aside and replace: the command
// reads the delivered copy, names the unusable file, and leaves it as it is.
TEST_F(SettingsStress, AnUnusableSettingsFileGivesWayToTheDeliveredCopy) {
    const QString plan = newPlan("plan.dat");
    const QString settings = folder.settingsFile();
    struct Case {
        const char *name;
        QByteArray content; // the file's (unused for a folder)
        bool folderInstead;
        QString why;
    } cases[] = {
        {"empty", "", false, "empty"},
        {"garbage", "garbage\n\x01\x02", false, "no [Setting] section"},
        {"no [Setting]", "[Ports]\n1=/dev/ttyUSB0\n", false, "no [Setting] section"},
        {"a folder", {}, true, "Is a directory"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        QFile::remove(settings);
        if (k.folderInstead)
            ASSERT_TRUE(QDir().mkdir(settings));
        else
            clitest::writeAll(settings, k.content);
        const QString notice = "The settings file " + settings + " cannot be used (" + k.why +
                               "): the delivered settings " + folder.path() +
                               "/selvarn.default.ini are read instead. The desktop tool will "
                               "repair it at its next start.\n";
        for (const QStringList &args : {QStringList{"bands"}, QStringList{"show", plan}}) {
            const clitest::CliRun r = cli(args + QStringList{"--lang", "3"});
            EXPECT_EQ(r.status, 0) << args.join(' ').toStdString() << r.err.toStdString();
            EXPECT_FALSE(r.out.isEmpty());
            if (args[0] == "show")
                EXPECT_TRUE(r.err.startsWith(notice)) << r.err.toStdString();
        }
        EXPECT_EQ(QFileInfo(settings).isDir(), k.folderInstead);
        if (!k.folderInstead)
            EXPECT_EQ(clitest::readAll(settings), k.content) << "the user's file was changed";
        EXPECT_EQ(QDir(folder.path()).entryList({"*.bad*"}, QDir::Files | QDir::Dirs),
                  QStringList{});
        if (k.folderInstead)
            QDir(settings).removeRecursively();
    }
}

} // namespace
