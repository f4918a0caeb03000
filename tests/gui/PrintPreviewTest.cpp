// The print preview: the toolbar's Print button and File > Print Preview open
// it, and its Save as PDF writes the channel table as a PDF file.
#include "ChMemFixture.h"
#include "editors/ChMemPrintPreview.h"

#include <QAction>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QTimer>

namespace {

struct PrintPreview : ChMemFixture {
    // Output of a poppler tool on `pdf`.
    static QString poppler(const QString &tool, const QStringList &args) {
        QProcess p;
        p.start(tool, args);
        if (!p.waitForFinished(30000))
            return {};
        return QString::fromUtf8(p.readAllStandardOutput());
    }
};

TEST_F(PrintPreview, SaveAsPdfWritesTheChannelTable) {
    const QString pdf = folder.dir.filePath("channels.pdf");
    std::unique_ptr<QPrintPreviewDialog> preview(
        chmem::makePrintPreview(w.get(), *ch->vsfgGridCh, c()));
    auto *save = preview->findChild<QAction *>("actSavePdf");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), "Save as PDF...");
    dialogs.files = {pdf};
    save->trigger();
    EXPECT_EQ(dialogs.asked, QStringList{"Saved as " + pdf});

    const QString info = poppler("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    const QString text = poppler("pdftotext", {"-layout", pdf, "-"});
    for (const char *expected : {"Brenvik Radio Software", "446.00625", "Rx Freq", "Tx Power"})
        EXPECT_TRUE(text.contains(expected)) << expected << "\n" << text.toStdString();
}

TEST_F(PrintPreview, AFailedSaveSaysSoAndLeavesNoFile) {
    const QString pdf = folder.dir.filePath("no/such/folder/channels.pdf");
    std::unique_ptr<QPrintPreviewDialog> preview(
        chmem::makePrintPreview(w.get(), *ch->vsfgGridCh, c()));
    dialogs.files = {pdf};
    preview->findChild<QAction *>("actSavePdf")->trigger();
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked.first().startsWith("Print occur error!"));
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintPreview, TheToolbarPrintButtonAndTheMenuOpenIt) {
    for (const char *name : {"tlbPrint", "mnuPrintPreview"}) {
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto *d = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget())) {
                shown = d->windowTitle();
                d->reject();
            }
        });
        w->action(name)->trigger();
        EXPECT_EQ(shown, "Print Preview") << name;
    }
}

} // namespace
