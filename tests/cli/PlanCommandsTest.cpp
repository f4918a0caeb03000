// new, show and file errors of brenvik-cli, run as a user runs it.
#include "CliHarness.h"

#include "core/DataFile.h"
#include "core/MemoryImage.h"
#include "core/Options.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <random>

using clitest::CliFixture;
using clitest::CliRun;

using PlanCommands = CliFixture;

// show --json against the same plan decoded in this process: band, every
// channel's frequencies, texts and fields, and the options as the controls show
// them (the voice chip value 2 has no entry in the list, so its default shows).
TEST_F(PlanCommands, ShowJsonDescribesTheDecodedPlan) {
    const QString file = newPlan("plan.dat", 3);
    clitest::patchImage(file, {{0x3FE, 0x02}});

    const CliRun r = cli({"show", file, "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();

    cps::Cps c;
    cps::CollectingSink sink;
    testsupport::initCps(c, folder, 3, &sink);
    cps::selectBand(c, 3);
    cps::OptNowDefSol(c, 0);

    EXPECT_EQ(o["model"].toInt(), 0);
    EXPECT_EQ(o["band"].toObject()["index"].toInt(), 3);
    EXPECT_EQ(o["band"].toObject()["low"].toInt(), 15000000);
    EXPECT_EQ(o["band"].toObject()["high"].toInt(), 17400000);
    const QJsonArray channels = o["channels"].toArray();
    ASSERT_EQ(channels.size(), c.cols.channelCount);
    for (int n = 1; n <= c.cols.channelCount; ++n) {
        const QJsonObject ch = channels[n - 1].toObject();
        const auto &f = c.ch.ChInfo[static_cast<std::size_t>(n)];
        EXPECT_EQ(ch["channel"].toInt(), n);
        EXPECT_EQ(ch["rx"].toInt(), f[1]) << n;
        EXPECT_EQ(ch["tx"].toInt(), f[2]) << n;
        EXPECT_EQ(ch["decode"].toString().toStdString(), c.ch.decText[static_cast<std::size_t>(n)]);
        EXPECT_EQ(ch["encode"].toString().toStdString(), c.ch.encText[static_cast<std::size_t>(n)]);
        const QJsonArray fields = ch["fields"].toArray();
        ASSERT_EQ(fields.size(), cps::kChannelFields);
        for (int k = 3; k < cps::kChannelFields; ++k)
            EXPECT_EQ(fields[k].toInt(), f[k]) << n << k;
    }
    const QJsonArray options = o["options"].toArray();
    ASSERT_EQ(options.size(), cps::kOptionCount);
    EXPECT_EQ(options[cps::opt::AnChipSel].toInt(), c.opt.def[cps::opt::AnChipSel]);
    EXPECT_TRUE(r.err.contains("An Chip Sel: the stored value is out of range, the default is shown"))
        << "the range report goes to stderr: " << r.err.toStdString();

    // A channel that was never set has no frequencies and empty texts.
    clitest::writeAll(path("one.csv"), "Channel,Receive,Transmit,Decode,Encode,P5,P6,P7,P8\n"
                                       "1,150.1,,D023N,,1,0,1,0\n");
    ASSERT_EQ(cli({"import-csv", file, path("one.csv"), "-o", path("one.dat")}).status, 0);
    const QJsonArray one =
        QJsonDocument::fromJson(cli({"show", path("one.dat"), "--json"}).out.toUtf8())
            .object()["channels"]
            .toArray();
    ASSERT_EQ(one.size(), 16);
    EXPECT_EQ(one[0].toObject()["tx"].toInt(), -1);
    EXPECT_EQ(one[0].toObject()["decode"].toString(), "D023N");
    for (int n = 2; n <= 16; ++n) {
        const QJsonObject ch = one[n - 1].toObject();
        EXPECT_EQ(ch["rx"].toInt(), -1);
        EXPECT_EQ(ch["decode"].toString(), "");
        EXPECT_EQ(ch["encode"].toString(), "");
    }
}

TEST_F(PlanCommands, ShowTableSpeaksTheChosenLanguage) {
    const QString file = newPlan("plan.dat");
    const CliRun english = cli({"show", file, "--lang", "3"});
    const CliRun chinese = cli({"show", file, "--lang", "1"});
    ASSERT_EQ(english.status, 0);
    ASSERT_EQ(chinese.status, 0);
    EXPECT_TRUE(english.out.contains("Model Type: Brenvik"));
    EXPECT_TRUE(english.out.contains("400 - 470 MHz"));
    EXPECT_TRUE(chinese.out.contains(QStringLiteral("机型: Brenvik")));
    EXPECT_TRUE(chinese.out.contains(QStringLiteral("超时定时器")));
}

// Files that cannot be plans (shorter than the image, a folder, missing) end
// every command that opens one with status 3 and the interface's "Wrong file
// type!", never with a crash or a write.
TEST_F(PlanCommands, FilesThatAreNotPlansAreFileErrors) {
    struct Case {
        const char *name;
        QByteArray content;
    };
    const Case cases[] = {{"empty.dat", {}},
                          {"short.dat", QByteArray(100, '\0')},
                          {"almost.dat", QByteArray(8191, '\0')}};
    for (const auto &c : cases)
        clitest::writeAll(path(c.name), c.content);
    QDir(work.path()).mkdir("folder.dat");
    const QString out = path("out.dat");

    for (const QString name :
         {"empty.dat", "short.dat", "almost.dat", "folder.dat", "missing.dat"}) {
        const QString file = path(name);
        for (const QStringList &args :
             {QStringList{"show", file}, QStringList{"show", file, "--json"},
              QStringList{"export-csv", file}, QStringList{"import-csv", file, file, "-o", out},
              QStringList{"write", file, "--port", "/dev/null"}}) {
            const CliRun r = cli(args);
            EXPECT_EQ(r.status, 3) << args.join(' ').toStdString();
            EXPECT_TRUE(r.err.contains(file + ": Wrong file type!")) << r.err.toStdString();
            EXPECT_TRUE(r.out.isEmpty());
        }
    }
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_TRUE(cli({"show", path("empty.dat"), "--lang", "1"})
                    .err.contains(QStringLiteral("错误的文件类型!")));
}

TEST_F(PlanCommands, NewKeepsTheChosenBandAndOtherwiseTheDefaultImage) {
    const QString a = newPlan("a.dat", 0), b = newPlan("b.dat", 12);
    const QByteArray fa = clitest::readAll(a), fb = clitest::readAll(b);
    ASSERT_EQ(fa.size(), 8192);
    ASSERT_EQ(fb.size(), 8192);
    const auto edges = [](const QByteArray &f) { return f.mid(0x37A + 16, 4).toHex(); };
    EXPECT_EQ(edges(fa), "13401740"); // 134 - 174 MHz
    EXPECT_EQ(edges(fb), "40005200"); // 400 - 520 MHz
    for (int i = 0; i < fa.size(); ++i)
        if (i < 0x379 + 16 || i > 0x37D + 16)
            EXPECT_EQ(fa[i], fb[i]) << i;
}

TEST_F(PlanCommands, UsageErrorsExitWithTwo) {
    const QString plan = newPlan("plan.dat");
    const QStringList cases[] = {
        {},
        {"bogus"},
        {"show"},
        {"show", plan, plan},
        {"show", plan, "--port", "/dev/null"},
        {"show", plan, "--lang", "4"},
        {"new"},
        {"new", "-o", path("x.dat"), "--band", "14"},
        {"new", "-o", path("x.dat"), "--band", "seven"},
        {"read", "-o", path("x.dat")},
        {"read", "--port", "/dev/null"},
        {"write", plan},
        {"import-csv", plan, plan},
        {"show", plan, "-o"},
    };
    for (const auto &args : cases) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("see 'brenvik-cli ")) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("x.dat")));
}
