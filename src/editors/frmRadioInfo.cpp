#include "editors/frmRadioInfo.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QVBoxLayout>

frmRadioInfo::frmRadioInfo(cps::Cps &c, QWidget *parent) : QWidget(parent), c_(c) {
    setObjectName(QStringLiteral("frmRadioInfo"));
    auto text = [&](int n) { return QString::fromStdString(c_.text(n)); };
    setWindowTitle(text(300));
    QFont font = this->font();
    font.setFamily(QString::fromStdString(c_.CurFont));
    setFont(font);

    fraMain = new QGroupBox(text(183), this);
    fraMain->setObjectName(QStringLiteral("fraMain"));
    auto label = [&](const char *name, int n) {
        auto *l = new QLabel(text(n), fraMain);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    auto field = [&](const char *name) {
        auto *f = new QLineEdit(fraMain);
        f->setObjectName(QLatin1String(name));
        f->setReadOnly(true);
        f->setMinimumWidth(180);
        return f;
    };
    lblModel = label("lblModel", 184);
    lblRange = label("lblRange", 185);
    lblSoftVer = label("lblSoftVer", 186);
    lblLastPc = label("lblLastPc", 187);
    txtModel = field("txtModel");
    txtRange = field("txtRange");
    txtSoftVer = field("txtSoftVer");
    txtLastPc = field("txtLastPc");
    cboRange = new QComboBox(fraMain);
    cboRange->setObjectName(QStringLiteral("cboRange"));
    // A small unlabelled corner label, known to service staff only.
    lblDebug = new QLabel(fraMain);
    lblDebug->setObjectName(QStringLiteral("lblDebug"));
    lblDebug->setFixedSize(12, 12);

    auto *grid = new QGridLayout(fraMain);
    grid->addWidget(lblModel, 0, 0);
    grid->addWidget(txtModel, 0, 1);
    grid->addWidget(lblRange, 1, 0);
    grid->addWidget(txtRange, 1, 1);
    grid->addWidget(cboRange, 2, 1);
    grid->addWidget(lblSoftVer, 3, 0);
    grid->addWidget(txtSoftVer, 3, 1);
    grid->addWidget(lblLastPc, 4, 0);
    grid->addWidget(txtLastPc, 4, 1);
    grid->addWidget(lblDebug, 5, 2, Qt::AlignRight | Qt::AlignBottom);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fraMain);

    lblDebug->installEventFilter(this);
    fraMain->installEventFilter(this);
}

bool frmRadioInfo::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == lblDebug) {
            debug_ = !debug_;
            return true;
        }
        if (watched == fraMain && debug_) {
            cps::guarded(c_.log(), "frmRadioInfo->fraMain_DblClick", [&] {
                if (onOpenMemoryView)
                    onOpenMemoryView();
            });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmRadioInfo::closeEvent(QCloseEvent *event) {
    if (c_.Closing == 1) {
        event->accept();
        return;
    }
    event->ignore();
    // Shown inside the main window's MDI area, the frame is what hides.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->hide();
    else
        hide();
}
