#include "core/DataFile.h"
#include "core/Failure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(DataFile, LayoutInsertsSixteenFFsAndCutsToTheImageLength) {
    std::vector<uint8_t> image(8192, 0x00);
    const auto file = cps::imageToFileBytes(image);
    ASSERT_EQ(file.size(), 8192u);
    for (std::size_t i = 0; i < file.size(); ++i)
        ASSERT_EQ(file[i], (i >= 16 && i < 32) ? 0xFF : 0x00) << i;
}

TEST(DataFile, OpenGivesBackTheImageExceptTheSixteenBytesAfter0x3FF) {
    std::vector<uint8_t> image(8192);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + 3);
    const auto back = cps::fileBytesToImage(cps::imageToFileBytes(image), image.size());
    for (std::size_t a = 0; a < image.size(); ++a) {
        const auto want = (a >= 0x400 && a < 0x410) ? image[a - 16] : image[a];
        ASSERT_EQ(back[a], want) << a;
    }
}

TEST(DataFile, ShortEmptyFolderAndUnreadableFilesAreRefused) {
    QTemporaryDir dir;
    auto write = [&](const char *name, qsizetype size) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(size, 'x'));
        return dir.filePath(name).toStdString();
    };
    EXPECT_FALSE(cps::readDataFile(write("empty.dat", 0), 8192));
    EXPECT_FALSE(cps::readDataFile(write("short.dat", 8191), 8192));
    EXPECT_FALSE(cps::readDataFile(dir.path().toStdString(), 8192));
    EXPECT_FALSE(cps::readDataFile(dir.filePath("missing.dat").toStdString(), 8192));
    const auto longer = cps::readDataFile(write("long.dat", 9000), 8192);
    ASSERT_TRUE(longer);
    EXPECT_EQ(longer->size(), 8192u);
}

TEST(DataFile, AtomicWriteReplacesWholeFilesAndNeverDamagesOnFailure) {
    QTemporaryDir dir;
    const auto path = dir.filePath("plan.dat").toStdString();
    cps::writeFileAtomically(path, std::vector<uint8_t>(9000, 1));
    cps::writeFileAtomically(path, std::vector<uint8_t>(8192, 2)); // shorter: no stale tail
    EXPECT_EQ(QFile(QString::fromStdString(path)).size(), 8192);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no temp left

    // A write that cannot complete leaves the previous file and no temporary behind.
    EXPECT_THROW(cps::writeFileAtomically(dir.filePath("no/such/dir/x.dat").toStdString(), {1}),
                 cps::RunError);
    QDir(dir.path()).mkdir("taken.dat");
    EXPECT_THROW(cps::writeFileAtomically(dir.filePath("taken.dat").toStdString(), {1}),
                 cps::RunError);
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.dat")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(8192, 2));
}

} // namespace
