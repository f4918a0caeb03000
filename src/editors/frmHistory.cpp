#include "editors/frmHistory.h"

#include "comm/RecordCsv.h"
#include "core/DataFile.h"
#include "editors/Dialogs.h"
#include "editors/HistoryModel.h"
#include "editors/HistoryTexts.h"
#include "editors/ProductionLineTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The result filter's choices, in the order of the drop-down.
enum ResultChoice { AnyResult, OnlyPass, OnlyFail };

} // namespace

frmHistory::frmHistory(cps::Cps &c, QString databasePath, QWidget *parent)
    : QDialog(parent), c_(c), databasePath_(std::move(databasePath)) {
    setObjectName(QStringLiteral("frmHistory"));
    buildWindow();
    setFace();
}

QString frmHistory::text(int n) const {
    return QString::fromStdString(c_.text(n));
}

void frmHistory::buildWindow() {
    lblResult = new QLabel(this);
    cboResult = new QComboBox(this);
    cboResult->setObjectName(QStringLiteral("cboResult"));
    lblPort = new QLabel(this);
    cboPort = new QComboBox(this);
    cboPort->setObjectName(QStringLiteral("cboPort"));
    cboPort->setEditable(true);
    cboPort->setInsertPolicy(QComboBox::NoInsert);
    cboPort->setMinimumContentsLength(10);
    lblSearch = new QLabel(this);
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setClearButtonEnabled(true);
    chkFrom = new QCheckBox(this);
    chkFrom->setObjectName(QStringLiteral("chkFrom"));
    chkTo = new QCheckBox(this);
    chkTo->setObjectName(QStringLiteral("chkTo"));
    const QDate today = QDate::currentDate();
    dtpFrom = new QDateEdit(today.addMonths(-1), this);
    dtpFrom->setObjectName(QStringLiteral("dtpFrom"));
    dtpTo = new QDateEdit(today, this);
    dtpTo->setObjectName(QStringLiteral("dtpTo"));
    for (QDateEdit *d : {dtpFrom, dtpTo}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        d->setEnabled(false);
    }
    lblResult->setBuddy(cboResult);
    lblPort->setBuddy(cboPort);
    lblSearch->setBuddy(txtSearch);

    auto *filters = new QHBoxLayout;
    filters->addWidget(lblResult);
    filters->addWidget(cboResult);
    filters->addSpacing(8);
    filters->addWidget(lblPort);
    filters->addWidget(cboPort);
    filters->addSpacing(8);
    filters->addWidget(lblSearch);
    filters->addWidget(txtSearch, 1);
    filters->addSpacing(8);
    filters->addWidget(chkFrom);
    filters->addWidget(dtpFrom);
    filters->addWidget(chkTo);
    filters->addWidget(dtpTo);

    model = new HistoryModel(c_, databasePath_, this);
    tblRecords = new QTableView(this);
    tblRecords->setObjectName(QStringLiteral("tblRecords"));
    tblRecords->setModel(model);
    tblRecords->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    tblRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblRecords->setTabKeyNavigation(false); // Tab leaves the table for the buttons
    tblRecords->setWordWrap(false);
    tblRecords->verticalHeader()->hide();
    tblRecords->horizontalHeader()->setStretchLastSection(true);
    tblRecords->setAlternatingRowColors(true);

    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));
    cmdRefresh = new QPushButton(this);
    cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    cmdOpenBackup = new QPushButton(this);
    cmdOpenBackup->setObjectName(QStringLiteral("cmdOpenBackup"));
    cmdExport = new QPushButton(this);
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    for (QPushButton *b : {cmdRefresh, cmdOpenBackup, cmdExport})
        b->setAutoDefault(false); // Enter in the table opens a backup, not a button
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblCount, 1);
    buttons->addWidget(cmdRefresh);
    buttons->addWidget(cmdOpenBackup);
    buttons->addWidget(cmdExport);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(tblRecords, 1);
    layout->addLayout(buttons);
    resize(1100, 600);

    // Any change of a filter reads again from the newest record.
    connect(cboResult, &QComboBox::currentIndexChanged, this, &frmHistory::refresh);
    connect(cboPort, &QComboBox::currentTextChanged, this, &frmHistory::refresh);
    connect(txtSearch, &QLineEdit::textChanged, this, &frmHistory::refresh);
    for (auto [box, date] : {std::pair{chkFrom, dtpFrom}, std::pair{chkTo, dtpTo}}) {
        connect(box, &QCheckBox::toggled, date, &QWidget::setEnabled);
        connect(box, &QCheckBox::toggled, this, &frmHistory::refresh);
        connect(date, &QDateEdit::dateChanged, this, &frmHistory::refresh);
    }
    connect(model, &HistoryModel::shownChanged, this, &frmHistory::showCount);
    connect(model, &HistoryModel::shownChanged, this, &frmHistory::learnPorts);
    connect(tblRecords, &QTableView::activated, this, &frmHistory::openBackup);
    connect(tblRecords->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                cmdOpenBackup->setEnabled(current.isValid() &&
                                          !model->record(current.row()).backupFile.isEmpty());
            });
    connect(cmdRefresh, &QPushButton::clicked, this, &frmHistory::refresh);
    connect(cmdOpenBackup, &QPushButton::clicked, this, &frmHistory::openBackup);
    connect(cmdExport, &QPushButton::clicked, this, &frmHistory::chooseExportFile);
    cmdOpenBackup->setEnabled(false);

    const auto key = [this](QKeySequence keys, auto slot) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, slot);
    };
    key(QKeySequence::Find, [this] {
        txtSearch->setFocus(Qt::ShortcutFocusReason);
        txtSearch->selectAll();
    });
    key(QKeySequence(Qt::Key_F5), [this] { refresh(); });
    key(QKeySequence::Save, [this] { chooseExportFile(); });
}

void frmHistory::setFace() {
    setWindowTitle(text(historyText::Title));
    lblResult->setText(text(historyText::Result));
    lblPort->setText(text(historyText::Port));
    lblSearch->setText(text(historyText::Search));
    chkFrom->setText(text(historyText::From));
    chkTo->setText(text(historyText::To));
    cmdRefresh->setText(text(historyText::Refresh) + QStringLiteral(" (F5)"));
    cmdOpenBackup->setText(text(historyText::OpenBackup));
    cmdExport->setText(text(historyText::Export));
    {
        const QSignalBlocker quiet(cboResult);
        const int chosen = std::max(0, cboResult->currentIndex());
        cboResult->clear();
        cboResult->addItems({text(historyText::All), text(lineText::Pass), text(lineText::Fail)});
        cboResult->setCurrentIndex(chosen);
    }
    if (cboPort->count() == 0) {
        const QSignalBlocker quiet(cboPort);
        cboPort->addItem(text(historyText::All));
    } else {
        cboPort->setItemText(0, text(historyText::All));
    }
    model->headerDataChanged(Qt::Horizontal, 0, HistoryModel::Count - 1);
    showCount();
}

void frmHistory::showEvent(QShowEvent *event) {
    refresh(); // records added since it was last shown
    QDialog::showEvent(event);
    txtSearch->setFocus();
}

void frmHistory::refresh() {
    cps::RecordFilter filter;
    if (cboResult->currentIndex() == OnlyPass)
        filter.pass = true;
    else if (cboResult->currentIndex() == OnlyFail)
        filter.pass = false;
    const QString port = cboPort->currentText().trimmed();
    if (port != cboPort->itemText(0))
        filter.port = port;
    // Whole local days: from the start of the first to the end of the last.
    if (chkFrom->isChecked())
        filter.since = dtpFrom->date().startOfDay();
    if (chkTo->isChecked())
        filter.until = dtpTo->date().addDays(1).startOfDay();
    model->setFilter(filter, txtSearch->text());
    if (model->rowCount() > 0 && !tblRecords->currentIndex().isValid())
        tblRecords->setCurrentIndex(model->index(0, 0));
    tblRecords->resizeColumnsToContents();
}

void frmHistory::showCount() {
    if (!model->error().isEmpty()) {
        lblCount->setText(text(historyText::CannotRead).arg(model->error()));
        return;
    }
    lblCount->setText(text(model->canFetchMore({}) ? historyText::ShownMore : historyText::Shown)
                          .arg(model->rowCount()));
}

void frmHistory::learnPorts() {
    const QSignalBlocker quiet(cboPort);
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString &port = model->record(row).port;
        if (!port.isEmpty() && cboPort->findText(port) < 0)
            cboPort->addItem(port);
    }
}

void frmHistory::chooseExportFile() {
    const QString path =
        cps::dialogs().saveFile(this, QString::fromStdString(c_.files.dataFolder),
                                QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"));
    if (!path.isEmpty())
        exportCsv(path);
}

bool frmHistory::exportCsv(const QString &path) {
    model->fetchAll();
    // The same columns as the command line's history --csv, for spreadsheets.
    std::string csv = cps::recordCsvHeader() + '\n';
    for (int row = 0; row < model->rowCount(); ++row)
        csv += cps::recordCsvLine(model->record(row)) + '\n';
    try {
        cps::writeFileAtomically(QDir::fromNativeSeparators(path).toStdString(),
                                 std::vector<uint8_t>(csv.begin(), csv.end()));
    } catch (const std::exception &) {
        cps::dialogs().message(this, text(historyText::CannotWrite).arg(path), windowTitle(),
                               QMessageBox::Warning, QMessageBox::Ok);
        return false;
    }
    lblCount->setText(text(historyText::Exported).arg(model->rowCount()).arg(path));
    return true;
}

void frmHistory::openBackup() {
    const QModelIndex current = tblRecords->currentIndex();
    if (!current.isValid() || !onOpenPlan)
        return;
    const QString backup = model->record(current.row()).backupFile;
    if (!backup.isEmpty())
        onOpenPlan(backup);
}
