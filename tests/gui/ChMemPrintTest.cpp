// Printing the channel grid (to PDF in place of the system printer).
#include "ChMemFixture.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

using ChMemPrint = ChMemFixture;

TEST_F(ChMemPrint, PrintsTheGridToTheDocument) {
    QTemporaryDir out;
    const QString pdf = out.filePath("channels.pdf");
    ch->printerFactory = [&] {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return printer;
    };
    w->setPanel(1, "Ready");
    ch->cmdPrintChannel->click();

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 2000);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(w->panel(1), "Ready");
    if (qEnvironmentVariableIsSet("CHMEM_KEEP_PDF"))
        QFile::copy(pdf, qEnvironmentVariable("CHMEM_KEEP_PDF"));
}

TEST_F(ChMemPrint, APrinterFailureIsReported) {
    ch->printerFactory = [&] {
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName("/nonexistent-folder/for/sure/out.pdf");
        return printer;
    };
    ch->cmdPrintChannel->click();
    EXPECT_EQ(w->panel(1), "Print occur error!");
    EXPECT_EQ(dialogs.asked, QStringList{"Print occur error!"});
    EXPECT_TRUE(errorLines().join('\n').contains("frmChMem->cmdPrintChannel_Click"));
}
