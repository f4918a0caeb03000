#include "editors/frmProductionLine.h"

#include "comm/PortMap.h"
#include "comm/PortTrouble.h"
#include "comm/QtSerialPortAdapter.h"
#include "comm/SerialDeviceFacts.h"
#include "core/Ini.h"
#include "editors/Dialogs.h"
#include "editors/HistoryTexts.h"
#include "editors/LineCableRow.h"
#include "editors/ProductionLineRun.h"
#include "editors/ProductionLineTexts.h"
#include "editors/WriteGuard.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr const char *kSection = "ProductionLine";

QString cableFacts(const QString &device) {
    const cps::SerialDeviceFacts f = cps::serialDeviceFacts(device);
    QStringList parts{device};
    if (!f.chip.isEmpty())
        parts << f.chip;
    if (!f.description.isEmpty())
        parts << f.description;
    return parts.join(QStringLiteral(" · "));
}

} // namespace

frmProductionLine::frmProductionLine(cps::Cps &c, QWidget *parent) : QDialog(parent), c_(c) {
    setObjectName(QStringLiteral("frmProductionLine"));
    buildWindow();
    loadOptions();
    setFace();
    tick_ = new QTimer(this);
    tick_->setInterval(250);
    connect(tick_, &QTimer::timeout, this, [this] {
        for (auto &[port, row] : rows)
            row->tick();
        showTotals();
    });
}

frmProductionLine::~frmProductionLine() {
    delete run_; // waits for the radios being programmed
}

QString frmProductionLine::text(int n) const {
    return QString::fromStdString(c_.text(n));
}

void frmProductionLine::buildWindow() {
    fraCables = new QGroupBox(this);
    fraCables->setObjectName(QStringLiteral("fraCables"));
    new QVBoxLayout(fraCables);

    fraOptions = new QGroupBox(this);
    fraOptions->setObjectName(QStringLiteral("fraOptions"));
    auto *options = new QGridLayout(fraOptions);
    chkVerify = new QCheckBox(fraOptions);
    chkVerify->setObjectName(QStringLiteral("chkVerify"));
    chkSound = new QCheckBox(fraOptions);
    chkSound->setObjectName(QStringLiteral("chkSound"));
    lblBackupFolder = new QLabel(fraOptions);
    txtBackupFolder = new QLineEdit(fraOptions);
    txtBackupFolder->setObjectName(QStringLiteral("txtBackupFolder"));
    cmdBackupBrowse = new QPushButton(fraOptions);
    lblLogFile = new QLabel(fraOptions);
    txtLogFile = new QLineEdit(fraOptions);
    txtLogFile->setObjectName(QStringLiteral("txtLogFile"));
    cmdLogBrowse = new QPushButton(fraOptions);
    lblStopAfter = new QLabel(fraOptions);
    spnStopAfter = new QSpinBox(fraOptions);
    spnStopAfter->setObjectName(QStringLiteral("spnStopAfter"));
    spnStopAfter->setRange(0, 100000);
    options->addWidget(chkVerify, 0, 0, 1, 2);
    options->addWidget(chkSound, 0, 2);
    options->addWidget(lblBackupFolder, 1, 0);
    options->addWidget(txtBackupFolder, 1, 1);
    options->addWidget(cmdBackupBrowse, 1, 2);
    options->addWidget(lblLogFile, 2, 0);
    options->addWidget(txtLogFile, 2, 1);
    options->addWidget(cmdLogBrowse, 2, 2);
    options->addWidget(lblStopAfter, 3, 0);
    options->addWidget(spnStopAfter, 3, 1, Qt::AlignLeft);
    options->setColumnStretch(1, 1);
    connect(cmdBackupBrowse, &QPushButton::clicked, this, [this] {
        const QString dir = QFileDialog::getExistingDirectory(this, lblBackupFolder->text(),
                                                              txtBackupFolder->text());
        if (!dir.isEmpty())
            txtBackupFolder->setText(QDir::toNativeSeparators(dir));
    });
    connect(cmdLogBrowse, &QPushButton::clicked, this, [this] {
        const QString file = cps::dialogs().saveFile(this, txtLogFile->text(),
                                                     QStringLiteral("CSV (*.csv)"), QString());
        if (!file.isEmpty())
            txtLogFile->setText(QDir::toNativeSeparators(file));
    });

    cmdStart = new QPushButton(this);
    cmdStart->setObjectName(QStringLiteral("cmdStart"));
    cmdStop = new QPushButton(this);
    cmdStop->setObjectName(QStringLiteral("cmdStop"));
    cmdStop->setEnabled(false);
    connect(cmdStart, &QPushButton::clicked, this, [this] { startLine(); });
    connect(cmdStop, &QPushButton::clicked, this, &frmProductionLine::stopLine);
    auto *start = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(start, &QShortcut::activated, this, [this] {
        if (!running())
            startLine();
    });
    auto *stop = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5), this);
    connect(stop, &QShortcut::activated, this, &frmProductionLine::stopLine);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdStart);
    buttons->addWidget(cmdStop);
    buttons->addWidget(lblStatus, 1);

    auto *rowsHolder = new QWidget;
    rowsLayout_ = new QVBoxLayout(rowsHolder);
    rowsLayout_->addStretch(1);
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(rowsHolder);
    scroll->setMinimumHeight(220);

    lblTotals = new QLabel(this);
    lblTotals->setObjectName(QStringLiteral("lblTotals"));
    QFont big = lblTotals->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTotals->setFont(big);

    auto *top = new QHBoxLayout;
    top->addWidget(fraCables, 1);
    top->addWidget(fraOptions, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addWidget(scroll, 1);
    layout->addWidget(lblTotals);
    resize(900, 640);
}

void frmProductionLine::setFace() {
    setWindowTitle(text(lineText::Title));
    fraCables->setTitle(text(lineText::Cables));
    fraOptions->setTitle(text(lineText::Options));
    chkVerify->setText(text(lineText::Verify));
    chkSound->setText(text(lineText::Sound));
    lblBackupFolder->setText(text(lineText::BackupFolder));
    lblLogFile->setText(text(lineText::LogFile));
    lblStopAfter->setText(text(lineText::StopAfter));
    spnStopAfter->setSpecialValueText(text(lineText::Never));
    cmdBackupBrowse->setText(text(lineText::Browse));
    cmdLogBrowse->setText(text(lineText::Browse));
    cmdStart->setText(text(lineText::Start) + QStringLiteral(" (F5)"));
    cmdStop->setText(text(lineText::Stop) + QStringLiteral(" (Shift+F5)"));
    showTotals();
}

void frmProductionLine::showEvent(QShowEvent *event) {
    if (!running())
        fillCables();
    QDialog::showEvent(event);
}

void frmProductionLine::fillCables() {
    const auto ticked = c_.ini().read(kSection, "Cables", "", 256);
    QStringList tickedList = QString::fromStdString(ticked).split(',', Qt::SkipEmptyParts);
    // First use: the COM port of the read/write window.
    if (ticked.empty())
        tickedList = {QString::number(c_.settings.com)};
    for (auto &[com, box] : chkCables)
        delete box;
    chkCables.clear();
    const auto map = cps::mapComPorts(c_.ini(), cps::systemSerialDevices());
    for (int com = 1; com <= static_cast<int>(map.size()); ++com) {
        const QString &device = map[static_cast<std::size_t>(com - 1)];
        if (device.isEmpty())
            continue;
        auto *box = new QCheckBox(ProductionLineRun::portName(com) + QStringLiteral("  ") +
                                      cableFacts(device),
                                  fraCables);
        box->setObjectName(QStringLiteral("chkCable%1").arg(com));
        box->setChecked(tickedList.contains(QString::number(com)));
        fraCables->layout()->addWidget(box);
        chkCables[com] = box;
    }
    if (chkCables.empty()) {
        auto *none = new QCheckBox(text(lineText::NoDevice), fraCables);
        none->setEnabled(false);
        fraCables->layout()->addWidget(none);
        chkCables[0] = none;
    }
}

void frmProductionLine::loadOptions() {
    const auto read = [&](const char *key, const std::string &def) {
        return QString::fromStdString(c_.ini().read(kSection, key, def, 1024));
    };
    chkVerify->setChecked(read("Verify", "1") == QLatin1String("1"));
    chkSound->setChecked(read("Sound", "1") == QLatin1String("1"));
    txtBackupFolder->setText(read("BackupFolder", c_.files.backupFolder));
    txtLogFile->setText(read("LogFile", ""));
    spnStopAfter->setValue(read("StopAfter", "0").toInt());
}

void frmProductionLine::saveOptions() const {
    QStringList ticked;
    for (int com : tickedCables())
        ticked << QString::number(com);
    const auto entry = [](const char *key, const QString &value) {
        return cps::IniEntry{kSection, key, value.toStdString()};
    };
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    // A settings file that cannot be written costs the remembered choices only.
    c_.ini().write(
        {entry("Cables", ticked.join(',')), entry("Verify", flag(chkVerify->isChecked())),
         entry("Sound", flag(chkSound->isChecked())),
         entry("BackupFolder", txtBackupFolder->text()), entry("LogFile", txtLogFile->text()),
         entry("StopAfter", QString::number(spnStopAfter->value()))});
}

// Asked at every start, offering the name given last time; an empty name is
// kept as it is (a bench with one person need not sign each run).
bool frmProductionLine::askOperator(QString &name) {
    name = QString::fromStdString(c_.ini().read(kSection, "Operator", "", 256));
    if (!cps::dialogs().askText(this, text(historyText::OperatorTitle),
                                text(historyText::OperatorPrompt), name))
        return false;
    name = name.trimmed();
    c_.ini().write(kSection, "Operator", name.toStdString());
    return true;
}

std::vector<int> frmProductionLine::tickedCables() const {
    std::vector<int> coms;
    for (const auto &[com, box] : chkCables)
        if (com > 0 && box->isChecked())
            coms.push_back(com);
    return coms;
}

QStringList frmProductionLine::cablesThatDoNotOpen(const std::vector<int> &coms) const {
    QStringList trouble;
    for (int com : coms) {
        cps::QtSerialPortAdapter port(c_);
        port.select(com);
        try {
            port.open();
            port.close();
        } catch (const std::exception &) {
            const QString device = port.deviceName(com);
            trouble << ProductionLineRun::portName(com) + QStringLiteral(": ") +
                           text(lineText::CannotOpen)
                               .arg(device.isEmpty() ? ProductionLineRun::portName(com) : device,
                                    cps::portTroubleText(c_, port.openFailure()));
        }
    }
    return trouble;
}

bool frmProductionLine::startLine() {
    if (running())
        return false;
    const std::vector<int> coms = tickedCables();
    if (coms.empty()) {
        cps::dialogs().message(this, text(lineText::NoCable), text(lineText::Title),
                               QMessageBox::Warning, QMessageBox::Ok);
        return false;
    }
    if (!confirmOutOfBandWrite(this, c_))
        return false;
    const QStringList trouble = cablesThatDoNotOpen(coms);
    if (!trouble.isEmpty()) {
        cps::dialogs().message(this, trouble.join(QLatin1Char('\n')), text(lineText::Title),
                               QMessageBox::Warning, QMessageBox::Ok);
        return false;
    }
    QString operatorName;
    if (!askOperator(operatorName))
        return false;
    log_ = cps::LineLog();
    if (!log_.open(QDir::fromNativeSeparators(txtLogFile->text()).toStdString())) {
        cps::dialogs().message(this, text(lineText::LogUnwritable).arg(txtLogFile->text()),
                               text(lineText::Title), QMessageBox::Warning, QMessageBox::Ok);
        return false;
    }
    saveOptions();

    cps::LineSettings settings;
    settings.verify = chkVerify->isChecked();
    settings.operatorName = operatorName;
    settings.backupDir = QDir::fromNativeSeparators(txtBackupFolder->text().trimmed());
    if (!settings.backupDir.isEmpty())
        QDir().mkpath(settings.backupDir);
    settings.recordDatabase = QString::fromStdString(c_.files.historyDatabase);
    settings.planName = QFileInfo(QString::fromStdString(c_.CurFilePath)).fileName();
    run_ = new ProductionLineRun(c_, settings, coms, this);
    makeRows(coms);
    connect(run_, &ProductionLineRun::stateChanged, this,
            [this](const QString &port, cps::LineState s) { rows.at(port)->setState(s); });
    connect(run_, &ProductionLineRun::stepStarted, this,
            [this](const QString &port, cps::WriteStep s) { rows.at(port)->setStep(s); });
    connect(run_, &ProductionLineRun::progress, this,
            [this](const QString &port, int p) { rows.at(port)->setProgress(p); });
    connect(run_, &ProductionLineRun::cablePresent, this,
            [this](const QString &port, bool on) { rows.at(port)->setPresent(on); });
    connect(run_, &ProductionLineRun::result, this, &frmProductionLine::takeResult);
    connect(run_, &ProductionLineRun::finished, this, &frmProductionLine::lineFinished);
    passed_ = failed_ = 0;
    sinceStart_.start();
    setRunning(true);
    run_->start();
    return true;
}

void frmProductionLine::makeRows(const std::vector<int> &coms) {
    for (auto &[port, row] : rows)
        delete row;
    rows.clear();
    const auto map = cps::mapComPorts(c_.ini(), cps::systemSerialDevices());
    for (int com : coms) {
        const QString port = ProductionLineRun::portName(com);
        auto *row = new LineCableRow(c_, port, map[static_cast<std::size_t>(com - 1)]);
        rowsLayout_->insertWidget(rowsLayout_->count() - 1, row);
        rows[port] = row;
    }
}

void frmProductionLine::stopLine() {
    if (!running() || run_->stopRequested())
        return;
    run_->requestStop();
    cmdStop->setEnabled(false);
    lblStatus->setText(text(lineText::Stopping));
}

bool frmProductionLine::programming() const {
    return std::any_of(rows.begin(), rows.end(),
                       [](const auto &r) { return r.second->programming(); });
}

void frmProductionLine::takeResult(const cps::LineResult &r) {
    (r.pass ? passed_ : failed_)++;
    if (auto it = rows.find(r.port); it != rows.end())
        it->second->setResult(r);
    log_.append(r);
    // The result stands on its row and in the log; the status line says why
    // the record of programmed radios does not have it.
    if (!r.recordWarning.isEmpty())
        lblStatus->setText(r.recordWarning);
    if (chkSound->isChecked())
        QApplication::beep();
    showTotals();
    if (spnStopAfter->value() > 0 && passed_ >= spnStopAfter->value())
        stopLine();
}

void frmProductionLine::lineFinished() {
    delete run_;
    run_ = nullptr;
    setRunning(false);
    lblStatus->clear();
    emit lineEnded();
    if (closeWhenDone_) {
        closeWhenDone_ = false;
        close();
    }
}

void frmProductionLine::showTotals() {
    const double hours =
        static_cast<double>(sinceStart_.isValid() ? sinceStart_.elapsed() : 0) / 3600000.0;
    const int perHour = hours > 0 ? static_cast<int>((passed_ + failed_) / hours + 0.5) : 0;
    lblTotals->setText(text(lineText::Totals).arg(passed_).arg(failed_).arg(perHour));
}

void frmProductionLine::setRunning(bool on) {
    cmdStart->setEnabled(!on);
    cmdStop->setEnabled(on);
    fraCables->setEnabled(!on);
    fraOptions->setEnabled(!on);
    if (on)
        tick_->start();
    else
        tick_->stop();
    showTotals();
    if (onRunningChanged)
        onRunningChanged(on);
}

// Closing while the line runs ends it first; a radio being programmed is
// finished, and only when the user agrees.
void frmProductionLine::closeEvent(QCloseEvent *event) {
    if (!running()) {
        event->accept();
        return;
    }
    event->ignore();
    if (programming() &&
        cps::dialogs().message(this, text(lineText::AskClose), text(lineText::Title),
                               QMessageBox::Question,
                               QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    closeWhenDone_ = true;
    stopLine();
}
