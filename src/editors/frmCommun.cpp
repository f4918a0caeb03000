#include "editors/frmCommun.h"

#include "comm/CheckedWrite.h"
#include "comm/WriteRecord.h"
#include "core/Ini.h"
#include "core/OutOfBand.h"
#include "core/Plan.h"
#include "editors/Dialogs.h"
#include "editors/MainWindowServices.h"
#include "editors/WriteGuard.h"
#include "editors/frmToolCom.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kBlinkMs = 100;
constexpr int kPanelToggleAt = 6; // the 6th, 16th, 26th ... double-click
constexpr const char *kVerifyKey = "VerifyAfterWrite", *kBackupKey = "BackupBeforeWrite";
constexpr int kTextWritten = 502, kTextWrittenVerified = 503;

QPixmap light(const QColor &colour, qreal dpr) {
    const int size = 16;
    QPixmap pm(QSize(size, size) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(160), 1));
    QRadialGradient g(QPointF(size * 0.35, size * 0.35), size * 0.7);
    g.setColorAt(0, colour.lighter(170));
    g.setColorAt(1, colour);
    p.setBrush(g);
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    return pm;
}

} // namespace

// What a transfer shows, mapped onto the window's controls. The traffic log, the
// progress bar and the status take a transfer's changes at most once per
// display frame: entries wait in order in a list and go into the log together,
// so an exchange costs no layout or repaint of its own.
class frmCommun::Ui : public cps::TransferUi {
  public:
    explicit Ui(frmCommun &w) : w_(w) {
        frame_.setSingleShot(true);
        frame_.setInterval(kFrameMs);
        QObject::connect(&frame_, &QTimer::timeout, &w_, [this] { flush(); });
    }
    cps::Waiter &waiter() override { return w_.waiter_; }
    bool stopTicked() const override { return w_.chkStopCom->isChecked(); }
    void setStopTicked(bool on) override { w_.chkStopCom->setChecked(on); }
    void setStopVisible(bool on) override { w_.chkStopCom->setVisible(on); }
    void setProgress(int p) override {
        progress_ = p;
        schedule();
    }
    void setStatus(const QString &s) override {
        status_ = s;
        statusWaits_ = true;
        schedule();
    }
    void insertLogEntry(int index, const QString &e) override {
        if (index != w_.listRtData->count() + pending_.size()) {
            flush(); // not at the end: place it at once
            w_.listRtData->insertItem(index, e);
            return;
        }
        pending_.append(e);
        schedule();
    }
    void selectLogEntry(int index) override {
        selected_ = index;
        schedule();
    }
    void clearLog() override {
        pending_.clear();
        selected_ = -1;
        w_.listRtData->clear();
    }
    // Puts what waits into the controls.
    void flush() {
        frame_.stop();
        if (!pending_.isEmpty()) {
            w_.listRtData->addItems(pending_);
            pending_.clear();
        }
        if (selected_ >= 0 && selected_ < w_.listRtData->count())
            w_.listRtData->setCurrentRow(selected_);
        selected_ = -1;
        if (progress_ >= 0 && w_.prgCommunicate->value() != progress_)
            w_.prgCommunicate->setValue(progress_);
        progress_ = -1;
        if (statusWaits_ && w_.lblComStatus->text() != status_)
            w_.lblComStatus->setText(status_);
        statusWaits_ = false;
    }
    void message(const QString &text, const QString &title) override {
        flush();
        if (!holdMessages)
            cps::dialogs().message(&w_, text, title, QMessageBox::Warning, QMessageBox::Ok);
    }
    void blinkStart() override { w_.tmrLigGrint->start(); }
    void blinkStop() override {
        w_.tmrLigGrint->stop();
        w_.imgGreen->hide();
    }
    void showPortDialog(const QString &reason) override {
        flush();
        w_.openFailure_ = reason;
        if (w_.onPortDialog)
            w_.onPortDialog();
        w_.openFailure_.clear();
    }
    void refreshMemoryView() override {
        if (w_.chkShowMemDat->isChecked() && w_.onTableFreDat)
            w_.onTableFreDat();
    }

    // A write's messages wait for its result, which says them once, with
    // what a write cut off left on the radio.
    bool holdMessages = false;

  private:
    void schedule() {
        if (!frame_.isActive())
            frame_.start();
    }

    static constexpr int kFrameMs = 16; // one frame of a 60 Hz display
    frmCommun &w_;
    QTimer frame_;
    QStringList pending_;
    int selected_ = -1, progress_ = -1;
    QString status_;
    bool statusWaits_ = false;
};

frmCommun::frmCommun(cps::Cps &c, cps::SerialPort &port, cps::TimeoutMark &mark, QWidget *parent)
    : QDialog(parent), c_(c), port_(port), mark_(mark), ui_(std::make_unique<Ui>(*this)) {
    transfer_ = std::make_unique<cps::RadioTransfer>(c_, port_, *ui_, mark);
    onSoftDisplay = [this] { cps::SoftDisplay(c_); };
    onPortDialog = [this] {
        frmToolCom dialog(c_, port_, this);
        dialog.setOpenFailure(openFailure_);
        dialog.exec();
    };
    transfer_->softDisplay = [this] {
        if (onSoftDisplay)
            onSoftDisplay();
    };
    buildWindow();
    setFace();
    fillAddressFields();
}

frmCommun::~frmCommun() = default;

void frmCommun::buildWindow() {
    setObjectName(QStringLiteral("frmCommun"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    fraOne = new QGroupBox(this);
    fraOne->setObjectName(QStringLiteral("fraOne"));
    cmdRead = new QPushButton(fraOne);
    cmdRead->setObjectName(QStringLiteral("cmdRead"));
    cmdWrite = new QPushButton(fraOne);
    cmdWrite->setObjectName(QStringLiteral("cmdWrite"));
    for (QPushButton *b : {cmdRead, cmdWrite}) {
        b->setMinimumWidth(110);
        b->setAutoDefault(false);
    }
    prgCommunicate = new QProgressBar(fraOne);
    prgCommunicate->setObjectName(QStringLiteral("prgCommunicate"));
    prgCommunicate->setRange(0, 100);
    prgCommunicate->setValue(0);
    prgCommunicate->setTextVisible(false);
    prgCommunicate->setMinimumWidth(300);
    lblComStatus = new QLabel(fraOne);
    lblComStatus->setObjectName(QStringLiteral("lblComStatus"));
    lblComStatus->setStyleSheet(QStringLiteral("color: #d00000;"));
    lblComStatus->setMinimumHeight(lblComStatus->fontMetrics().height());
    lblComPercent = new QLabel(fraOne);
    lblComPercent->setObjectName(QStringLiteral("lblComPercent"));
    const qreal dpr = devicePixelRatioF();
    imgRed = new QLabel(fraOne);
    imgRed->setObjectName(QStringLiteral("imgRed"));
    imgRed->setPixmap(light(QColor(200, 30, 30), dpr));
    imgGreen = new QLabel(fraOne);
    imgGreen->setObjectName(QStringLiteral("imgGreen"));
    imgGreen->setPixmap(light(QColor(30, 190, 60), dpr));
    imgGreen->hide();
    tmrLigGrint = new QTimer(this);
    tmrLigGrint->setObjectName(QStringLiteral("tmrLigGrint"));
    tmrLigGrint->setInterval(kBlinkMs);
    chkStopCom = new QCheckBox(fraOne);
    chkStopCom->setObjectName(QStringLiteral("chkStopCom"));
    chkStopCom->hide();
    // The write's checks, remembered in the settings file (off unless set to 1).
    chkVerifyAfterWrite = new QCheckBox(fraOne);
    chkVerifyAfterWrite->setObjectName(QStringLiteral("chkVerifyAfterWrite"));
    chkBackupBeforeWrite = new QCheckBox(fraOne);
    chkBackupBeforeWrite->setObjectName(QStringLiteral("chkBackupBeforeWrite"));
    for (auto [box, key] : {std::pair{chkVerifyAfterWrite, kVerifyKey},
                            std::pair{chkBackupBeforeWrite, kBackupKey}}) {
        box->setChecked(c_.ini().read("Setting", key, "0", 3) == "1");
        const std::string place = "frmCommun->" + box->objectName().toStdString() + "_Click";
        connect(box, &QCheckBox::toggled, this, [this, key, place](bool on) {
            cps::guarded(c_.log(), place.c_str(),
                         [&] { c_.ini().store("Setting", key, on ? "1" : "0"); });
        });
    }

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdRead);
    buttons->addWidget(cmdWrite);
    buttons->addStretch();
    auto *lights = new QGridLayout; // the green light lies over the red one
    lights->addWidget(imgRed, 0, 0);
    lights->addWidget(imgGreen, 0, 0);
    buttons->addLayout(lights);
    auto *status = new QHBoxLayout;
    status->addWidget(lblComStatus, 1);
    status->addWidget(lblComPercent);
    auto *one = new QVBoxLayout(fraOne);
    one->addLayout(buttons);
    one->addWidget(prgCommunicate);
    one->addLayout(status);
    auto *checks = new QHBoxLayout;
    checks->addWidget(chkVerifyAfterWrite);
    checks->addWidget(chkBackupBeforeWrite);
    checks->addStretch();
    one->addLayout(checks);
    one->addWidget(chkStopCom);

    fraTwo = new QGroupBox(QStringLiteral("Communication Data"), this);
    fraTwo->setObjectName(QStringLiteral("fraTwo"));
    listRtData = new QListWidget(fraTwo);
    listRtData->setObjectName(QStringLiteral("listRtData"));
    listRtData->setMinimumHeight(180);
    // Every character of a traffic line stays readable: no "…", scroll instead.
    listRtData->setTextElideMode(Qt::ElideNone);
    listRtData->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    listRtData->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    listRtData->setFont(mono);
    (new QVBoxLayout(fraTwo))->addWidget(listRtData);

    fraRdWrDat = new QGroupBox(QStringLiteral("Read Write Data"), this);
    fraRdWrDat->setObjectName(QStringLiteral("fraRdWrDat"));
    auto *grid = new QGridLayout(fraRdWrDat);
    using S = cps::Settings;
    txtMaxAddr = addressField("txtMaxAddr", "Grid Max Addr", "TableMaxAddr", &S::tableMaxAddrText,
                              &S::tableMaxAddr);
    txtReadStartAddr = addressField("txtReadStartAddr", "Read Start Addr", "ReadStartAddr",
                                    &S::readStartText, &S::readStart);
    txtReadEndAddr = addressField("txtReadEndAddr", "Read End Addr", "ReadEndAddr", &S::readEndText,
                                  &S::readEnd);
    txtWriteStartAddr = addressField("txtWriteStartAddr", "Write Start Addr", "WriteStartAddr",
                                     &S::writeStartText, &S::writeStart);
    txtWriteEndAddr = addressField("txtWriteEndAddr", "Write End Addr", "WriteEndAddr",
                                   &S::writeEndText, &S::writeEnd);
    int row = 0;
    for (QLineEdit *field :
         {txtMaxAddr, txtReadStartAddr, txtReadEndAddr, txtWriteStartAddr, txtWriteEndAddr}) {
        grid->addWidget(new QLabel(field->property("caption").toString(), fraRdWrDat), row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("H"), fraRdWrDat), row, 2);
        ++row;
    }
    chkShowMemDat = new QCheckBox(QStringLiteral("Show Memory Data"), fraRdWrDat);
    chkShowMemDat->setObjectName(QStringLiteral("chkShowMemDat"));
    chkNotShowProg = new QCheckBox(QStringLiteral("Not Show Course"), fraRdWrDat);
    chkNotShowProg->setObjectName(QStringLiteral("chkNotShowProg"));
    grid->addWidget(chkShowMemDat, 0, 3);
    grid->addWidget(chkNotShowProg, 1, 3);
    grid->setColumnStretch(3, 1);
    fraTwo->hide();
    fraRdWrDat->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fraOne);
    layout->addWidget(fraTwo);
    layout->addWidget(fraRdWrDat);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fraOne->installEventFilter(this);
    connect(cmdRead, &QPushButton::clicked, this, &frmCommun::cmdRead_Click);
    connect(cmdWrite, &QPushButton::clicked, this, &frmCommun::cmdWrite_Click);
    connect(tmrLigGrint, &QTimer::timeout, this,
            [this] { imgGreen->setVisible(imgGreen->isHidden()); });
    // Ticking Stop ends the wait in progress at once.
    connect(chkStopCom, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            waiter_.wake();
    });
}

// An address field writes its key and holds its value on every change. A text
// that is not a 16-bit hexadecimal number is logged and neither stored nor
// used, so the settings file never receives a value the next start cannot read.
QLineEdit *frmCommun::addressField(const char *name, const char *caption, const char *key,
                                   std::string cps::Settings::*text,
                                   int16_t cps::Settings::*value) {
    auto *field = new QLineEdit(fraRdWrDat);
    field->setObjectName(QLatin1String(name));
    field->setProperty("caption", QLatin1String(caption));
    field->setMaximumWidth(80);
    const std::string place = std::string("frmCommun->") + name + "_Change";
    connect(field, &QLineEdit::textChanged, this,
            [this, key, text, value, place](const QString &t) {
                const std::string typed = t.toStdString();
                cps::guarded(c_.log(), place.c_str(), [&] {
                    const int16_t v = cps::hexToInt16(typed);
                    c_.settings.*value = v;
                    c_.settings.*text = typed;
                    c_.ini().store("Setting", key, typed);
                });
            });
    return field;
}

void frmCommun::fillAddressFields() {
    const cps::Settings &s = c_.settings;
    const std::pair<QLineEdit *, const std::string *> fields[] = {
        {txtMaxAddr, &s.tableMaxAddrText},
        {txtReadStartAddr, &s.readStartText},
        {txtReadEndAddr, &s.readEndText},
        {txtWriteStartAddr, &s.writeStartText},
        {txtWriteEndAddr, &s.writeEndText}};
    for (const auto &[field, text] : fields) {
        const QSignalBlocker quiet(field); // the values are already held
        field->setText(QString::fromStdString(*text));
    }
}

void frmCommun::setFace() {
    cps::guarded(c_.log(), "frmCommun->Form_Load", [&] {
        auto text = [&](int n) { return QString::fromStdString(c_.text(n)); };
        QFont font = this->font();
        font.setFamily(QString::fromStdString(c_.CurFont));
        for (QWidget *w :
             std::initializer_list<QWidget *>{this, fraOne, chkStopCom, cmdRead, cmdWrite})
            w->setFont(font);
        setWindowTitle(text(102));
        fraOne->setTitle(text(156));
        cmdRead->setText(text(100));
        cmdWrite->setText(text(101));
        chkVerifyAfterWrite->setText(text(cps::kTextVerifyAfterWrite));
        chkBackupBeforeWrite->setText(text(cps::kTextBackupBeforeWrite));
        chkStopCom->setText(c_.CurLang == 1 || c_.CurLang == 2
                                ? QStringLiteral("停止通信...")
                                : QStringLiteral("Stop Communication"));
        lblComStatus->clear();
    });
}

void frmCommun::showRead() {
    cmdWrite->hide();
    cmdRead->show();
    cmdWrite->setDefault(false);
    cmdRead->setDefault(true); // Enter reads; Escape hides the window
    showBoth();
}

void frmCommun::showWrite() {
    cmdRead->hide();
    cmdWrite->show();
    cmdRead->setDefault(false);
    cmdWrite->setDefault(true);
    showBoth();
}

void frmCommun::showBoth() {
    // The write's checks belong with the Write button.
    chkVerifyAfterWrite->setVisible(!cmdWrite->isHidden());
    chkBackupBeforeWrite->setVisible(!cmdWrite->isHidden());
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
}

void frmCommun::cmdRead_Click() {
    runTransfer(true);
}
void frmCommun::cmdWrite_Click() {
    runTransfer(false);
}

void frmCommun::runTransfer(bool reading) {
    if (running_)
        return;
    if (!reading && !writeConfirmed())
        return; // nothing is sent; the window stays for another try
    running_ = true;
    // Both buttons stay unavailable until the transfer ends, whichever is visible.
    cmdRead->setEnabled(false);
    cmdWrite->setEnabled(false);
    QFont bold = cmdRead->font(), normal = cmdRead->font();
    bold.setBold(true);
    normal.setBold(false);
    cmdRead->setFont(reading ? bold : normal);
    cmdWrite->setFont(reading ? normal : bold);

    cps::TransferResult result = cps::TransferResult::NotStarted;
    const auto run = [&] { result = reading ? transfer_->read() : writeChecked(); };
    if (aroundTransfer)
        aroundTransfer(reading, run);
    else
        run();
    ui_->flush();

    lblComPercent->clear();
    cmdRead->setEnabled(true);
    cmdWrite->setEnabled(true);
    running_ = false;
    if (result == cps::TransferResult::Succeeded && onTransferDone)
        onTransferDone(reading);
    if (result != cps::TransferResult::NotStarted)
        hideWindow();
}

// A plan with a frequency outside the band limits (opened from a file, read
// from a radio, or left from another band), or with a tone that is not one of
// the radio's standard tones, is written only when the user says so; the
// question names the channels.
bool frmCommun::writeConfirmed() {
    return confirmOutOfBandWrite(this, c_);
}

cps::TransferResult frmCommun::writeChecked() {
    cps::WriteChecks checks;
    checks.verify = chkVerifyAfterWrite->isChecked();
    if (chkBackupBeforeWrite->isChecked())
        checks.backupDir = QString::fromStdString(c_.files.backupFolder);
    checks.portName = QStringLiteral("COM%1").arg(c_.settings.com);
    cps::WriteFacts facts;
    facts.started = QDateTime::currentDateTime();
    facts.port = checks.portName;
    facts.planPath = QString::fromStdString(c_.CurFilePath);
    facts.planSha256 = cps::planImageSha256(c_);
    QElapsedTimer clock;
    clock.start();
    ui_->holdMessages = true;
    const cps::CheckedWriteResult r = cps::writeWithChecks(c_, port_, *ui_, mark_, checks);
    ui_->holdMessages = false;
    if (r.portOpenFailed)
        return cps::TransferResult::NotStarted; // no radio was reached: nothing to record
    facts.durationMs = clock.elapsed();
    const cps::RecordOutcome recorded = cps::appendRecord(
        c_, QString::fromStdString(c_.files.historyDatabase), cps::writeRecordEntry(r, facts));
    if (!r.ok)
        cps::dialogs().message(this, r.message, QString::fromStdString(c_.text(70)),
                               QMessageBox::Warning, QMessageBox::Ok);
    else
        showWritten(checks.verify);
    // The write's own outcome first; then why the record does not have it.
    if (!recorded.warning.isEmpty())
        cps::dialogs().message(this, recorded.warning, QString::fromStdString(c_.text(70)),
                               QMessageBox::Warning, QMessageBox::Ok);
    return r.ok ? cps::TransferResult::Succeeded : cps::TransferResult::Failed;
}

// The main window's status bar keeps the outcome until a command replaces it.
void frmCommun::showWritten(bool verified) {
    auto *main = dynamic_cast<MainWindowServices *>(parentWidget());
    if (!main)
        return;
    const QString time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
    main->setPanel(
        1,
        QString::fromStdString(c_.text(verified ? kTextWrittenVerified : kTextWritten)).arg(time));
}

bool frmCommun::panelExpanded() const {
    return !fraTwo->isHidden();
}

void frmCommun::fraOne_DblClick() {
    ++panelClicks_;
    if (panelClicks_ % 10 != kPanelToggleAt)
        return;
    const bool expand = !panelExpanded();
    fraTwo->setVisible(expand);
    fraRdWrDat->setVisible(expand);
    adjustSize();
    keepOnScreen();
}

void frmCommun::keepOnScreen() {
    const QScreen *s = screen();
    if (!s)
        return;
    const QRect avail = s->availableGeometry();
    const QRect frame = frameGeometry();
    QPoint to = frame.topLeft();
    // Grown past the bottom or right edge: move back, but never above the top.
    if (frame.bottom() > avail.bottom())
        to.ry() -= frame.bottom() - avail.bottom();
    if (frame.right() > avail.right())
        to.rx() -= frame.right() - avail.right();
    to.setY(std::max(to.y(), avail.top()));
    to.setX(std::max(to.x(), avail.left()));
    if (to != frame.topLeft())
        move(to);
}

bool frmCommun::eventFilter(QObject *watched, QEvent *event) {
    if (watched == fraOne && event->type() == QEvent::MouseButtonDblClick) {
        fraOne_DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmCommun::hideWindow() {
    prgCommunicate->setValue(0);
    lblComStatus->clear();
    hide();
}

void frmCommun::closeEvent(QCloseEvent *event) {
    // A transfer in progress is never torn down from under its waits.
    if (c_.Closing == 1 && !running_) {
        event->accept();
        return;
    }
    event->ignore();
    if (!running_)
        hideWindow();
}

void frmCommun::reject() {
    if (!running_)
        hideWindow();
}
