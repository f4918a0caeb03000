// File > Import Channel List and Export Channel List: the channel table as CSV
// in the tool's own layout or the common channel-list layout, read and written
// by the same code as the command line's.
#include "app/QtText.h"
#include "app/mdifrmMain.h"
#include "core/ChannelCsv.h"
#include "core/ChannelListCsv.h"
#include "core/CsvText.h"
#include "core/DataFile.h"
#include "editors/ChannelListPreview.h"
#include "editors/Dialogs.h"
#include "editors/PlanHistory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

namespace {

// Far beyond any channel list; a larger file is no list.
constexpr qint64 kMaxListBytes = 16 * 1024 * 1024;

// The folder of the plan, where lists are usually kept beside it.
QString listFolder(const cps::Cps &c) {
    return QFileInfo(q(c.CurFilePath)).absolutePath();
}

void complain(QWidget *parent, const cps::Cps &c, int entry, const QString &path,
              const QString &why) {
    cps::dialogs().message(parent,
                           q(c.text(entry)) + QLatin1Char('\n') + QDir::toNativeSeparators(path) +
                               QLatin1Char('\n') + why,
                           q(c.text(70)), QMessageBox::Critical, QMessageBox::Ok);
}

} // namespace

void mdifrmMain::ImportChannelList() {
    if (c_.LockState == "ShowLock")
        return; // the channel table is locked against edits
    const QString path = cps::dialogs().openFile(this, listFolder(c_), q(c_.text(676)));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxListBytes) {
        complain(this, c_, 677, path, file.errorString());
        return;
    }
    const QByteArray bytes = file.readAll();
    std::unique_ptr<ChannelListPreview> preview;
    try {
        preview = std::make_unique<ChannelListPreview>(c_, bytes.toStdString(), this);
    } catch (const std::exception &e) {
        complain(this, c_, 677, path, QString::fromStdString(e.what()));
        return;
    }
    if (preview->exec() != QDialog::Accepted)
        return;
    const auto rows = preview->chosenRows();
    if (rows.empty()) {
        // Nothing ticked: clearing the rest would leave a plan without channels.
        cps::dialogs().message(this, q(c_.text(679)), q(c_.text(70)), QMessageBox::Information,
                               QMessageBox::Ok);
        return;
    }
    const bool clearOthers = preview->clearOthers();
    history_->command(q(c_.text(662)), [&] {
        cps::enterChannelRows(c_, rows, clearOthers);
        if (c_.view)
            c_.view->ShowChTblGrid();
    });
}

void mdifrmMain::ExportChannelList() {
    const QStringList filters{q(c_.text(674)), q(c_.text(675))};
    QString chosen = filters.front();
    const QString path = cps::dialogs().saveFileChoosing(this, listFolder(c_), filters,
                                                         QStringLiteral("csv"), chosen);
    if (path.isEmpty())
        return;
    const std::string text =
        chosen == filters[1] ? cps::exportChannelListCsv(c_) : cps::exportChannelCsv(c_);
    try {
        // Written atomically: a failed export leaves an older list as it was.
        cps::writeFileAtomically(path.toStdString(),
                                 std::vector<uint8_t>(text.begin(), text.end()));
    } catch (const std::exception &e) {
        complain(this, c_, 678, path, QString::fromStdString(e.what()));
    }
}
