// The code map in docs/ARCHITECTURE.md stays true: every name its glossary
// explains is a name the code uses.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString readText(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QString allSources() {
    QString text;
    QDirIterator it(QStringLiteral(BRENVIK_SOURCE_DIR "/src"), {"*.h", "*.cpp"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) text += readText(it.next());
    return text;
}

TEST(ArchitectureDoc, GlossaryNamesAreNamesTheCodeUses) {
    const QString doc = readText(QStringLiteral(BRENVIK_SOURCE_DIR "/docs/ARCHITECTURE.md"));
    const qsizetype start = doc.indexOf("## Glossary"), end = doc.indexOf("\n## ", start + 1);
    ASSERT_GE(start, 0);
    const QString sources = allSources();
    int checked = 0;
    for (const QString &line : doc.mid(start, end - start).split('\n')) {
        if (!line.startsWith("| `")) continue;
        const QString first = line.section('|', 1, 1);
        static const QRegularExpression name("`([A-Za-z_][A-Za-z0-9_]*)`");
        for (auto m = name.globalMatch(first); m.hasNext();) {
            const QString n = m.next().captured(1);
            ++checked;
            EXPECT_TRUE(sources.contains(QRegularExpression("\\b" + n + "\\b"))) << n.toStdString();
        }
    }
    EXPECT_GT(checked, 20);
}

} // namespace
