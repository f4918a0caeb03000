// Frequencies outside the band never reach a radio unasked, and files the
// desktop tool opens (any file of the image's length) open here too.
#include "CliHarness.h"

#include <QRegularExpression>
#include <random>

using clitest::CliFixture;
using clitest::CliRun;
using clitest::SimRadio;

using BandGuard = CliFixture;

// new --band 3 keeps the default image's 400 MHz channels: new and show
// count them, write and program refuse the plan (the radio sees nothing)
// until --force.
TEST_F(BandGuard, ChannelsOutsideTheBandAreCountedAndRefused) {
    const CliRun made = cli({"new", "--band", "3", "-o", path("vhf.dat")});
    ASSERT_EQ(made.status, 0);
    const QRegularExpression count("(\\d+) of \\1 channels lie outside the band 150 - 174 MHz: 1");
    EXPECT_TRUE(made.err.contains(count)) << made.err.toStdString();
    EXPECT_TRUE(cli({"show", path("vhf.dat")}).err.contains(count));
    EXPECT_FALSE(cli({"show", newPlan("uhf.dat")}).err.contains("outside"));

    const QString frames = path("frames.log");
    SimRadio radio({"--log", frames, "--save", path("radio.dat")});
    ASSERT_FALSE(radio.pty().isEmpty());
    for (const QStringList &args :
         {QStringList{"write", path("vhf.dat"), "--port", radio.pty()},
          QStringList{"program", path("vhf.dat"), "--port", radio.pty(), "--count", "1"}}) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 3) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(path("vhf.dat") + ": channels 1-")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("lie outside the band 150 - 174 MHz; nothing was written"));
    }
    EXPECT_TRUE(clitest::readAll(frames).isEmpty()) << "the radio was asked";

    const CliRun forced = cli({"write", path("vhf.dat"), "--port", radio.pty(), "--force"});
    EXPECT_EQ(forced.status, 0) << forced.err.toStdString();
    radio.stop();
    EXPECT_EQ(clitest::imageOf(path("radio.dat"))[0x37A], 0x15); // band 150 MHz edge
}

// All-zero bytes, random bytes and a plan whose band bytes are no BCD open
// with a warning, as the desktop tool opens them; what they hold is then
// guarded like any plan.
TEST_F(BandGuard, FilesOfTheImagesLengthOpenWithAWarning) {
    std::mt19937 random(7);
    QByteArray noise(8192, 0);
    for (auto &b : noise)
        b = static_cast<char>(random());
    clitest::writeAll(path("zero.dat"), QByteArray(8192, '\0'));
    clitest::writeAll(path("noise.dat"), noise);
    const QString bad = newPlan("bad.dat");
    clitest::patchImage(bad, {{0x37A, 0x13}, {0x37B, 0x4A}, {0x37C, 0x17}, {0x37D, 0x40}});
    struct Case {
        QString file, warning;
    } cases[] = {
        {path("zero.dat"), "have the lower edge not below the upper"},
        {path("noise.dat"), "are not packed BCD"},
        {bad, "the band edges 13 4A 17 40 are not packed BCD"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.file.toStdString());
        for (const char *command : {"show", "export-csv"}) {
            const CliRun r = cli({command, k.file});
            EXPECT_EQ(r.status, 0) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(k.file + ": warning: ")) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(k.warning)) << r.err.toStdString();
        }
        EXPECT_EQ(cli({"diff", k.file, k.file}).status, 0);
    }
    // 135.0 - 174 MHz as the nibbles read: the 400 MHz channels are refused.
    const CliRun r = cli({"write", bad, "--port", path("no-such-port")});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains("nothing was written")) << r.err.toStdString();
}
