// show --json against its schema in docs/, and its named keys in words that
// do not depend on the interface language.
#include "CliHarness.h"
#include "JsonSchemaCheck.h"
#include "core/Ctdcs.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>

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

// What a script may rely on: the schema, and the band's low limit below its
// high one (a comparison the schema cannot state).
QStringList problems(clitest::JsonSchemaCheck &check, const QJsonObject &o) {
    QStringList found = check.check(o);
    const QJsonObject band = o["band"].toObject();
    if (band["low"].toInteger() >= band["high"].toInteger())
        found << "$.band: low is not below high";
    return found;
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
    for (const QString &file : {path("plan.dat"), vhfDefaults, newPlan("uhf.dat")}) {
        QJsonObject named[3];
        for (int lang = 1; lang <= 3; ++lang) {
            const CliRun r = cli({"show", file, "--json", "--lang", QString::number(lang)});
            ASSERT_EQ(r.status, 0) << r.err.toStdString();
            const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
            EXPECT_EQ(problems(check, o).join('\n').toStdString(), "") << "lang " << lang;
            // A channel not in use: "" in the grid's text and in the named key.
            for (const auto &ch : o["channels"].toArray()) {
                const QJsonObject c = ch.toObject();
                if (c["inUse"].toBool())
                    continue;
                EXPECT_EQ(c["decode"], QJsonValue(""));
                EXPECT_EQ(c["signalling"].toObject()["decode"], QJsonValue(""));
                EXPECT_EQ(c["encode"], QJsonValue(""));
                EXPECT_EQ(c["signalling"].toObject()["encode"], QJsonValue(""));
            }
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

// Each promise of the schema catches a document that breaks it; every tone and
// code of the radio's signalling list passes.
TEST_F(ShowJson, ADocumentBreakingAPromiseFails) {
    clitest::writeAll(path("one.csv"), "Channel,Receive\n1,446.1\n"); // 2-16 not in use
    ASSERT_EQ(
        cli({"import-csv", newPlan("base.dat"), path("one.csv"), "-o", path("plan.dat")}).status,
        0);
    const CliRun shown = cli({"show", path("plan.dat"), "--json"});
    ASSERT_EQ(shown.status, 0) << shown.err.toStdString();
    const QJsonObject good = QJsonDocument::fromJson(shown.out.toUtf8()).object();
    clitest::JsonSchemaCheck check(schema());
    ASSERT_EQ(problems(check, good).join('\n').toStdString(), "");
    ASSERT_TRUE(good["channels"][0]["inUse"].toBool());
    ASSERT_FALSE(good["channels"][15]["inUse"].toBool());

    // Changes channel `index` (0-based) of a document.
    const auto channel = [](QJsonObject &o, int index, const auto &change) {
        QJsonArray channels = o["channels"].toArray();
        QJsonObject ch = channels[index].toObject();
        change(ch);
        channels[index] = ch;
        o["channels"] = channels;
    };
    const auto signalling = [&](QJsonObject &o, int index, const QJsonValue &decode) {
        channel(o, index, [&](QJsonObject &ch) {
            QJsonObject named = ch["signalling"].toObject();
            named["decode"] = decode;
            ch["signalling"] = named;
        });
    };
    const auto parameter = [&](QJsonObject &o, const QString &name, const QJsonValue &word) {
        channel(o, 0, [&](QJsonObject &ch) {
            QJsonObject p = ch["parameters"].toObject();
            if (word.isUndefined())
                p.remove(name);
            else
                p[name] = word;
            ch["parameters"] = p;
        });
    };
    struct Broken {
        const char *rule;
        std::function<void(QJsonObject &)> change;
        const char *found;
    };
    const Broken cases[] = {
        {"more channels than the model has",
         [&](QJsonObject &o) {
             QJsonArray channels = o["channels"].toArray();
             QJsonObject extra = channels[15].toObject();
             extra["channel"] = 17;
             channels.append(extra);
             o["channels"] = channels;
         },
         "$.channels[16]: no item is allowed here"},
        {"a channel number twice",
         [&](QJsonObject &o) { channel(o, 1, [](QJsonObject &ch) { ch["channel"] = 1; }); },
         "$.channels[1].channel: not the value [2]"},
        {"a parameter missing",
         [&](QJsonObject &o) { parameter(o, "Busy Lock", QJsonValue::Undefined); },
         "missing key Busy Lock"},
        {"a parameter word of no list", [&](QJsonObject &o) { parameter(o, "Tx Power", "Mid"); },
         "$.channels[0].parameters.Tx Power: not one of"},
        {"a parameter under a settings caption",
         [&](QJsonObject &o) { parameter(o, "TX Pwr", "High"); }, "unexpected key TX Pwr"},
        {"a tone off the radio's list", [&](QJsonObject &o) { signalling(o, 0, "88.0"); },
         "$.channels[0].signalling.decode: \"88.0\" does not match"},
        {"a DCS code off the radio's list", [&](QJsonObject &o) { signalling(o, 0, "D024N"); },
         "\"D024N\" does not match"},
        {"an empty channel's named signalling null",
         [&](QJsonObject &o) { signalling(o, 15, QJsonValue::Null); },
         "$.channels[15].signalling.decode: null where string is expected"},
        {"a channel outside the band twice",
         [&](QJsonObject &o) {
             o["channelsOutsideBand"] = QJsonArray{3, 3};
         },
         "$.channelsOutsideBand: items 0 and 1 are equal"},
        {"band limits the wrong way round",
         [&](QJsonObject &o) {
             QJsonObject band = o["band"].toObject();
             band["low"] = band["high"];
             o["band"] = band;
         },
         "$.band: low is not below high"},
    };
    for (const Broken &k : cases) {
        QJsonObject o = good;
        k.change(o);
        const QString found = problems(check, o).join('\n');
        EXPECT_TRUE(found.contains(k.found)) << k.rule << ": " << found.toStdString();
    }

    std::vector<std::string> listed;
    for (const char *tone : cps::ctcssTones())
        listed.push_back(tone);
    for (const char *code : cps::dcsCodes())
        for (const char *polarity : {"N", "I"})
            listed.push_back(std::string("D") + code + polarity);
    for (const auto &text : listed) {
        QJsonObject o = good;
        signalling(o, 0, QString::fromStdString(text));
        EXPECT_EQ(problems(check, o).join('\n').toStdString(), "") << text;
    }
}
