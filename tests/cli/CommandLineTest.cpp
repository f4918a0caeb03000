// The command line as a shell user meets it: help and version, usage errors,
// '-' for the standard streams, what -o may replace, the inputs it reads, the
// lists, and the exit codes of diff.
#include "CliHarness.h"

#include "cli/CommandSpecs.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <sys/stat.h>
#include <unistd.h>

using clitest::CliFixture;
using clitest::CliRun;
using clitest::SimRadio;

namespace {

// Runs a program from the build with `input` on its standard input.
CliRun runWithInput(const QString &program, const QStringList &args, const QByteArray &input = {},
                    const QString &outputFile = {}) {
    QProcess p;
    if (!outputFile.isEmpty())
        p.setStandardOutputFile(outputFile);
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    CliRun r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QFile::Permissions modeOf(const QString &path) {
    return QFileInfo(path).permissions();
}

} // namespace

using CommandLine = CliFixture;

// Every command's help, reached both ways, names the command, its options,
// exit codes and an example; the general help lists every command.
TEST_F(CommandLine, HelpPerCommandAndVersion) {
    const CliRun general = cli({"--help"});
    ASSERT_EQ(general.status, 0);
    for (const auto &cmdSpec : cli::commandSpecs()) {
        const QString name = QString::fromStdString(cmdSpec.name);
        SCOPED_TRACE(cmdSpec.name);
        EXPECT_TRUE(general.out.contains("\n  " + name + " ")) << "general help lists it";
        const CliRun viaHelp = cli({"help", name}), viaOption = cli({name, "--help"});
        EXPECT_EQ(viaHelp.status, 0);
        EXPECT_EQ(viaOption.status, 0);
        EXPECT_EQ(viaHelp.out, viaOption.out);
        EXPECT_TRUE(viaHelp.out.startsWith("Usage: brenvik-cli " + name))
            << viaHelp.out.toStdString();
        for (const char *part : {"Options:", "Exit status:", "  --lang 1|2|3", "brenvik-cli "})
            EXPECT_TRUE(viaHelp.out.contains(part)) << part;
        EXPECT_TRUE(viaHelp.out.contains(QRegularExpression("Examples?:\n  brenvik-cli " + name)));
        for (const auto &o : cmdSpec.options)
            EXPECT_TRUE(viaHelp.out.contains(QString::fromStdString(o.name))) << o.name;
    }
    EXPECT_TRUE(cli({"diff", "-h"}).out.contains("  4  the radio could not be read"));
    const CliRun version = cli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.contains(QRegularExpression("^brenvik-cli \\d+\\.\\d+\\n$")))
        << version.out.toStdString();
}

TEST_F(CommandLine, SimulatorAndDesktopToolAnswerHelpAndVersion) {
    const CliRun sim = runWithInput(clitest::binary("brenvik-radio-sim"), {"--help"});
    EXPECT_EQ(sim.status, 0);
    for (const char *part : {"alt", "std", "unsupported", "--silent", "--drop", "--corrupt",
                             "--wrong-echo", "--split", "--hangup-after", "--wire-timing"})
        EXPECT_TRUE(sim.out.contains(part)) << part;
    EXPECT_TRUE(runWithInput(clitest::binary("brenvik-radio-sim"), {"--version"})
                    .out.startsWith("brenvik-radio-sim "));
    // No display is needed for either: both print and end.
    const CliRun cpsHelp = runWithInput(clitest::binary("brenvik-cps"), {"--help"});
    EXPECT_EQ(cpsHelp.status, 0) << cpsHelp.err.toStdString();
    EXPECT_TRUE(cpsHelp.out.contains("Usage: brenvik-cps")) << cpsHelp.out.toStdString();
    // --version also names the layout and the settings file: a build folder is portable.
    const CliRun cpsVersion = runWithInput(clitest::binary("brenvik-cps"), {"--version"});
    EXPECT_TRUE(cpsVersion.out.contains(QRegularExpression(
        "^brenvik-cps \\d+\\.\\d+\\nportable mode, settings: /.*selvarn\\.exe\\n$")))
        << cpsVersion.out.toStdString();
}

// A usage error is one line and a hint to the command's help, exit 2, and
// nothing is written.
TEST_F(CommandLine, UsageErrorsAreOneLineWithAHint) {
    const QString plan = newPlan("plan.dat");
    struct Case {
        QStringList args;
        QString hint;
    } cases[] = {
        {{}, "see 'brenvik-cli --help'"},
        {{"bogus"}, "see 'brenvik-cli --help'"},
        {{"show"}, "see 'brenvik-cli show --help'"},
        {{"show", plan, plan}, "see 'brenvik-cli show --help'"},
        {{"show", plan, "--port", "/dev/null"}, "see 'brenvik-cli show --help'"},
        {{"show", plan, "--lang", "4"}, "see 'brenvik-cli show --help'"},
        {{"show", plan, "-o"}, "see 'brenvik-cli show --help'"},
        {{"new"}, "see 'brenvik-cli new --help'"},
        {{"new", "-o", path("x.dat"), "--band", "14"}, "see 'brenvik-cli new --help'"},
        {{"new", "-o", path("x.dat"), "--band", "seven"}, "see 'brenvik-cli new --help'"},
        {{"new", "-o", path("x.dat"), "-o", path("y.dat")}, "see 'brenvik-cli new --help'"},
        {{"read", "-o", path("x.dat")}, "see 'brenvik-cli read --help'"},
        {{"read", "--port", "/dev/null"}, "see 'brenvik-cli read --help'"},
        {{"write", plan}, "see 'brenvik-cli write --help'"},
        {{"write", plan, "--port"}, "see 'brenvik-cli write --help'"},
        {{"import-csv", plan, plan}, "see 'brenvik-cli import-csv --help'"},
        {{"diff", plan}, "see 'brenvik-cli diff --help'"},
        {{"program", plan, "--port", "/dev/null", "--count", "0"},
         "see 'brenvik-cli program --help'"},
        {{"help", "bogus"}, "see 'brenvik-cli help --help'"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.args.join(' ').toStdString());
        const CliRun r = cli(k.args);
        EXPECT_EQ(r.status, 2);
        const QStringList lines = r.err.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << r.err.toStdString();
        EXPECT_TRUE(lines[0].startsWith("brenvik-cli: ")) << lines[0].toStdString();
        EXPECT_EQ(lines[1], k.hint);
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(path("x.dat")));
    EXPECT_FALSE(QFile::exists(path("y.dat")));
}

// '-' is standard input for a plan or a CSV and standard output for -o.
TEST_F(CommandLine, DashIsTheStandardStreams) {
    const QString plan = newPlan("plan.dat");
    const QByteArray planBytes = clitest::readAll(plan);
    const QStringList common{"--program-dir", folder.path()};
    const QString cli = clitest::binary("brenvik-cli");

    const CliRun fromStdin =
        runWithInput(cli, QStringList{"show", "-", "--json"} + common, planBytes);
    EXPECT_EQ(fromStdin.status, 0) << fromStdin.err.toStdString();
    EXPECT_EQ(fromStdin.out, this->cli({"show", plan, "--json"}).out);

    const QString fromStdout = path("stdout.dat");
    EXPECT_EQ(runWithInput(cli, QStringList{"new", "-o", "-"} + common, {}, fromStdout).status, 0);
    EXPECT_EQ(clitest::readAll(fromStdout), planBytes);
    EXPECT_EQ(
        runWithInput(cli, QStringList{"export-csv", "-", "-o", "/dev/stdout"} + common, planBytes)
            .out,
        this->cli({"export-csv", plan}).out);

    const QByteArray csv = this->cli({"export-csv", plan}).out.toUtf8();
    const CliRun imported =
        runWithInput(cli, QStringList{"import-csv", plan, "-", "-o", path("in.dat")} + common, csv);
    EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(this->cli({"diff", plan, path("in.dat")}).status, 0);
}

TEST_F(CommandLine, AFailedWriteOfStandardOutputIsAFileError) {
    const QString plan = newPlan("plan.dat");
    for (const QStringList &args : {QStringList{"show", plan}, QStringList{"export-csv", plan},
                                    QStringList{"export-csv", plan, "-o", "-"}}) {
        QProcess p;
        p.setStandardOutputFile("/dev/full");
        p.start(clitest::binary("brenvik-cli"), args + QStringList{"--program-dir", folder.path()});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 3) << args.join(' ').toStdString();
        EXPECT_TRUE(p.readAllStandardError().contains("No space left on device"));
    }
}

// What -o may replace: a regular file (mode kept, through a symlink), a
// character device written directly; never a folder, a FIFO, a read-only
// file or one of the command's own inputs.
TEST_F(CommandLine, OutputTargets) {
    const QString plan = newPlan("plan.dat");
    const QByteArray planBytes = clitest::readAll(plan);
    const QString csv = path("plan.csv");
    ASSERT_EQ(cli({"export-csv", plan, "-o", csv}).status, 0);
    const QByteArray csvBytes = clitest::readAll(csv);

    // Kept mode, followed symlink.
    const QString kept = path("kept.dat"), target = path("target.dat"), link = path("link.dat");
    clitest::writeAll(kept, "old");
    QFile::setPermissions(kept, QFile::ReadOwner | QFile::WriteOwner);
    clitest::writeAll(target, "old");
    ASSERT_EQ(::symlink(target.toLocal8Bit().constData(), link.toLocal8Bit().constData()), 0);
    EXPECT_EQ(cli({"new", "-o", kept}).status, 0);
    EXPECT_EQ(modeOf(kept),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    EXPECT_EQ(clitest::readAll(kept), planBytes);
    EXPECT_EQ(cli({"new", "-o", link}).status, 0);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(clitest::readAll(target), planBytes);

    // A character device is written, not replaced.
    EXPECT_EQ(cli({"new", "-o", "/dev/null"}).status, 0);
    struct stat st {};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    // Refused, and nothing changes.
    const QString readOnly = path("readonly.dat"), fifo = path("fifo");
    clitest::writeAll(readOnly, "old");
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    QDir(work.path()).mkdir("folder");
    struct Refused {
        QStringList args;
        QString reason;
    } refused[] = {
        {{"new", "-o", readOnly}, "read-only file"},
        {{"new", "-o", path("folder")}, "Is a directory"},
        {{"new", "-o", fifo}, "not a regular file"},
        {{"new", "-o", path("missing/plan.dat")}, "No such file or directory"},
        {{"import-csv", plan, csv, "-o", csv}, "is also an input"},
        {{"import-csv", plan, csv, "-o", plan}, "is also an input"},
        {{"export-csv", plan, "-o", plan}, "is also an input"},
    };
    for (const auto &k : refused) {
        const CliRun r = cli(k.args);
        EXPECT_EQ(r.status, 3) << k.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(k.reason)) << r.err.toStdString();
    }
    EXPECT_EQ(clitest::readAll(readOnly), "old");
    EXPECT_EQ(clitest::readAll(plan), planBytes);
    EXPECT_EQ(clitest::readAll(csv), csvBytes);
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

// A read whose output cannot be written does not even ask the radio.
TEST_F(CommandLine, ReadChecksItsOutputBeforeTheRadio) {
    const QString frames = path("frames.log");
    SimRadio radio({"--log", frames});
    ASSERT_FALSE(radio.pty().isEmpty());
    const CliRun r = cli({"read", "--port", radio.pty(), "-o", path("missing/radio.dat")});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains("No such file or directory")) << r.err.toStdString();
    radio.stop();
    EXPECT_TRUE(clitest::readAll(frames).isEmpty());
}

// Inputs that are no CSV (a folder, an endless device, too large a file) are
// file errors with the reason; nothing is written.
TEST_F(CommandLine, CsvInputsAreCheckedAndCapped) {
    const QString plan = newPlan("plan.dat");
    QDir(work.path()).mkdir("folder.csv");
    clitest::writeAll(path("big.csv"), QByteArray(2 << 20, 'x'));
    struct Case {
        QString csv, reason;
    } cases[] = {
        {path("folder.csv"), "Is a directory"},
        {"/dev/zero", "too large"},
        {path("big.csv"), "too large"},
        {path("none.csv"), "No such file or directory"},
    };
    for (const auto &k : cases) {
        const CliRun r = cli({"import-csv", plan, k.csv, "-o", path("out.dat")});
        EXPECT_EQ(r.status, 3) << k.csv.toStdString();
        EXPECT_TRUE(r.err.contains(k.csv + ": cannot be read (" + k.reason)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("out.dat")));
}

// diff: 0 same, 1 different, 2 usage, 3 file, 4 the radio could not be read.
TEST_F(CommandLine, DiffExitCodes) {
    const QString a = newPlan("a.dat", 7), b = newPlan("b.dat", 0);
    SimRadio silent({"--silent"});
    ASSERT_FALSE(silent.pty().isEmpty());
    struct Case {
        QStringList args;
        int status;
    } cases[] = {
        {{"diff", a, a}, 0},
        {{"diff", a, b}, 1},
        {{"diff", a}, 2},
        {{"diff", a, path("missing.dat")}, 3},
        {{"diff", a, "--port", silent.pty()}, 4},
        {{"diff", "--port", path("no-such-port"), a}, 4},
    };
    for (const auto &k : cases)
        EXPECT_EQ(cli(k.args, 120000).status, k.status) << k.args.join(' ').toStdString();
}

TEST_F(CommandLine, BandsAndPortsAsTextAndJson) {
    const CliRun text = cli({"bands"});
    EXPECT_EQ(text.status, 0);
    EXPECT_TRUE(text.out.contains("3\t150 - 174 MHz\n"));
    EXPECT_TRUE(text.out.contains("7\t400 - 470 MHz\t(default)\n"));
    const QJsonArray bands = QJsonDocument::fromJson(cli({"bands", "--json"}).out.toUtf8()).array();
    ASSERT_EQ(bands.size(), 14);
    EXPECT_EQ(bands[13].toObject()["caption"].toString(), "120 - 520 MHz");
    EXPECT_EQ(bands[13].toObject()["low"].toString(), "120.00000");
    EXPECT_EQ(bands[13].toObject()["high"].toString(), "520.00000");
    EXPECT_TRUE(bands[7].toObject()["default"].toBool());

    SimRadio radio({});
    ASSERT_FALSE(radio.pty().isEmpty());
    folder.set("5", radio.pty().toStdString(), "Ports");
    const QJsonArray ports = QJsonDocument::fromJson(cli({"ports", "--json"}).out.toUtf8()).array();
    bool found = false;
    for (const auto &p : ports) {
        // Every entry carries every fact, null where the system knows none.
        for (const char *key :
             {"com", "device", "description", "maker", "usb", "vid", "pid", "serialNumber", "chip"})
            EXPECT_TRUE(p.toObject().contains(key)) << key;
        found = found || (p.toObject()["com"].toString() == "COM5" &&
                          p.toObject()["device"].toString() == radio.pty() &&
                          p.toObject()["chip"].isNull() && p.toObject()["vid"].isNull());
    }
    EXPECT_TRUE(found) << QJsonDocument(ports).toJson().toStdString();
    EXPECT_TRUE(
        cli({"ports"}).out.startsWith("COM\tDEVICE\tDESCRIPTION\tMAKER\tUSB\tSERIAL\tCHIP\n"));
}

// The shell completion knows every command and option the parser takes, and
// is valid shell.
TEST(Completion, FilesCoverTheCommandTable) {
    const QString dir = QStringLiteral(BRENVIK_SOURCE_DIR "/src/cli/completion/");
    for (const QString file : {"brenvik-cli.bash", "_brenvik-cli"}) {
        SCOPED_TRACE(file.toStdString());
        const QString text = QString::fromUtf8(clitest::readAll(dir + file));
        ASSERT_FALSE(text.isEmpty());
        for (const auto &cmdSpec : cli::commandSpecs()) {
            EXPECT_TRUE(text.contains(QString::fromStdString(cmdSpec.name))) << cmdSpec.name;
            for (const auto &o : cmdSpec.options)
                EXPECT_TRUE(text.contains(QString::fromStdString(o.name)))
                    << cmdSpec.name << " " << o.name;
        }
    }
    QProcess bash;
    bash.start("bash", {"-n", dir + "brenvik-cli.bash"});
    ASSERT_TRUE(bash.waitForFinished(10000));
    EXPECT_EQ(bash.exitCode(), 0) << bash.readAllStandardError().toStdString();
}

// A port that cannot be opened is one line in the chosen language; the error
// log's entry comes only with --verbose.
TEST_F(CommandLine, APortFailureIsOneLineInTheChosenLanguage) {
    const QString port = path("no-such-port");
    struct Case {
        QString lang, opened, text;
    } cases[] = {{"3", " cannot be opened: ",
                  "Communication failed,please check commuication port! No such device: " + port +
                      " is unplugged. Plug the cable in; its COM number is kept for when "
                      "it comes back."},
                 {"1", QStringLiteral(" 无法打开："),
                  QStringLiteral("通信失败，请检查通信端口！ 没有此设备：%1 已拔出。请插入写频"
                                 "线；它的 COM 号会保留，插回后仍可使用。")
                      .arg(port)}};
    for (const auto &k : cases) {
        const CliRun r = cli({"read", "--port", port, "-o", path("x.dat"), "--lang", k.lang});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, port + ": " + port + k.opened + k.text + "\n");
    }
    const CliRun verbose = cli({"read", "--port", port, "-o", path("x.dat"), "--verbose"});
    EXPECT_TRUE(verbose.err.contains("modCommun->OpenCom")) << verbose.err.toStdString();
}
