// show --json against its schema in docs/, and its named keys in words that
// do not depend on the interface language.
#include "CliHarness.h"
#include "JsonSchemaCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using clitest::CliFixture;
using clitest::CliRun;

namespace {

QJsonObject schema() {
    const QByteArray text = clitest::readAll(BRENVIK_SOURCE_DIR "/docs/show-json.schema.json");
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

} // namespace

using ShowJson = CliFixture;

TEST_F(ShowJson, EveryLanguageMatchesTheSchemaWithTheSameNamedKeys) {
    const QString base = newPlan("base.dat", 0);
    clitest::writeAll(path("plan.csv"), "Channel,Receive,Transmit,Decode,Encode,P5,P6,P7,P8\n"
                                        "1,146.52,146.52,67.0,67.0,1,0,1,0\n"
                                        "2,145.5,,D023N,,0,1,0,2\n"
                                        "4,150.1,150.2,,D754I,1,1,1,1\n");
    ASSERT_EQ(cli({"import-csv", base, path("plan.csv"), "-o", path("plan.dat")}).status, 0);
    const QString vhfDefaults = newPlan("vhf.dat", 3); // channels outside the band

    clitest::JsonSchemaCheck check(schema());
    for (const QString &file : {path("plan.dat"), vhfDefaults}) {
        QJsonObject named[3];
        for (int lang = 1; lang <= 3; ++lang) {
            const CliRun r = cli({"show", file, "--json", "--lang", QString::number(lang)});
            ASSERT_EQ(r.status, 0) << r.err.toStdString();
            const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
            EXPECT_EQ(check.check(o).join('\n').toStdString(), "") << "lang " << lang;
            // Everything but the language's own texts is the same in each language.
            QJsonArray channels = o["channels"].toArray();
            for (auto ch : channels) {
                QJsonObject c = ch.toObject();
                c.remove("decode");
                c.remove("encode");
                ch = c;
            }
            QJsonObject copy = o;
            copy["channels"] = channels;
            named[lang - 1] = copy;
        }
        EXPECT_EQ(named[0], named[2]) << file.toStdString();
        EXPECT_EQ(named[1], named[2]) << file.toStdString();
    }

    const QJsonObject o = QJsonDocument::fromJson(
                              cli({"show", path("plan.dat"), "--json", "--lang", "1"}).out.toUtf8())
                              .object();
    const QJsonObject band = o["band"].toObject();
    EXPECT_EQ(band["number"].toInt(), 0);
    EXPECT_EQ(band["caption"].toString(), "134 - 174 MHz");
    EXPECT_EQ(band["lowMHz"].toString(), "134.00000");
    EXPECT_EQ(band["highMHz"].toString(), "174.00000");
    const QJsonArray ch = o["channels"].toArray();
    const auto channel = [&](int n) { return ch[n - 1].toObject(); };
    EXPECT_EQ(channel(1)["rxMHz"].toString(), "146.52000");
    EXPECT_EQ(channel(1)["signalling"].toObject()["decode"].toString(), "67.0");
    EXPECT_EQ(channel(1)["parameters"].toObject(), (QJsonObject{{"Tx Power", "High"},
                                                                {"Bandwidth", "Wide"},
                                                                {"Scan Add", "On"},
                                                                {"Busy Lock", "Off"}}));
    EXPECT_TRUE(channel(2)["txMHz"].isNull());
    EXPECT_EQ(channel(2)["signalling"].toObject()["decode"].toString(), "D023N");
    EXPECT_EQ(channel(2)["signalling"].toObject()["encode"].toString(), "None");
    EXPECT_EQ(channel(2)["parameters"].toObject()["Busy Lock"].toString(), "Tone");
    EXPECT_EQ(channel(4)["signalling"].toObject()["decode"].toString(), "None")
        << "the none text of --lang 1 is not in the named keys";
    EXPECT_EQ(channel(4)["signalling"].toObject()["encode"].toString(), "D754I");
    EXPECT_FALSE(channel(3)["inUse"].toBool());
    EXPECT_TRUE(channel(3)["rxMHz"].isNull());
    EXPECT_TRUE(channel(3)["parameters"].toObject()["Tx Power"].isNull());
    EXPECT_EQ(o["optionValues"].toObject().size(), 16);
    EXPECT_TRUE(o["channelsOutsideBand"].toArray().isEmpty());
}
