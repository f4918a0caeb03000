#include "app/frmAboutSoft.h"

#include "app/mdifrmMain.h"
#include "core/Cps.h"
#include "core/Failure.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The box's texts per interface language (1 Simplified Chinese, 2 Traditional
// Chinese, 3 English); they are the box's own, not numbered interface texts.
struct AboutTexts {
    const char *caption, *title, *ok, *useRange, *version, *releasedOn, *description, *rights;
    const char *portable, *installed; // where the files live, %1 the settings file
};

const AboutTexts &aboutTexts(int lang) {
    static const AboutTexts texts[] = {
        {"关于", "Tolsa系列对讲机编程软件", "确定", "用于Tolsa", "版本 1.3", "发布日期 %1",
         "Brenvik 手持对讲机写频工具", "© Brenvik CPS 开发者",
         "便携模式：文件在程序文件夹中\n设置文件：%1", "安装模式\n设置文件：%1"},
        {"關於", "Tolsa系列對講機編程軟體", "確定", "用於Tolsa", "版本 1.3", "發佈日期 %1",
         "Brenvik 手持對講機寫頻工具", "© Brenvik CPS 開發者",
         "可攜模式：檔案在程式資料夾中\n設定檔：%1", "安裝模式\n設定檔：%1"},
        {"About", "Tolsa Radio Programming Software", "OK", "For Tolsa", "Version 1.3",
         "Released %1", "Programming tool for Brenvik handheld radios",
         "© The Brenvik CPS developers", "Portable mode: files in the program folder\nSettings: %1",
         "Installed mode\nSettings: %1"},
    };
    return texts[(lang >= 1 && lang <= 3 ? lang : 3) - 1];
}

// The day this program was built, as yyyy-MM-dd.
QString buildDate() {
    const QDate d =
        QDate::fromString(QStringLiteral(__DATE__).simplified(), QStringLiteral("MMM d yyyy"));
    return d.isValid() ? d.toString(Qt::ISODate) : QStringLiteral(__DATE__);
}

// A handheld radio: body, antenna, speaker grille, display and keys.
QPixmap radioPicture(qreal scale) {
    const QSize size(72, 128);
    QPixmap pixmap(size * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body(48, 56, 66), edge(28, 32, 38), accent(224, 120, 32);
    p.setPen(QPen(edge, 1.5));
    p.setBrush(QColor(36, 40, 46));
    p.drawRoundedRect(QRectF(14, 4, 8, 40), 3, 3); // antenna
    p.setBrush(accent);
    p.drawRoundedRect(QRectF(44, 20, 10, 12), 2, 2); // channel knob
    p.setBrush(body);
    p.drawRoundedRect(QRectF(8, 30, 56, 94), 10, 10); // body
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 34, 40));
    for (int row = 0; row < 4; ++row) // speaker grille
        p.drawRoundedRect(QRectF(18, 42 + row * 7, 36, 3), 1.5, 1.5);
    p.setBrush(QColor(150, 200, 170));
    p.drawRoundedRect(QRectF(16, 74, 40, 16), 2, 2); // display
    p.setBrush(QColor(90, 100, 112));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(QRectF(17 + col * 14, 96 + row * 11, 10, 7), 2, 2); // keys
    p.setBrush(QColor(220, 40, 40));
    p.drawEllipse(QPointF(20, 36), 2.2, 2.2); // transmit light
    return pixmap;
}

} // namespace

frmAboutSoft::frmAboutSoft(mdifrmMain *main) : frmAboutSoft(main->cps(), main) {}

frmAboutSoft::frmAboutSoft(cps::Cps &c, QWidget *parent) : QDialog(parent), c_(c) {
    setObjectName(QStringLiteral("frmAboutSoft"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    picAboutSoft = new QLabel(this);
    picAboutSoft->setObjectName(QStringLiteral("picAboutSoft"));
    picAboutSoft->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblUseRange = new QLabel(this);
    lblUseRange->setObjectName(QStringLiteral("lblUseRange"));
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblRelease = new QLabel(this);
    lblRelease->setObjectName(QStringLiteral("lblRelease"));
    lblDescription = new QLabel(this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblRights = new QLabel(this);
    lblRights->setObjectName(QStringLiteral("lblRights"));
    lblFiles = new QLabel(this);
    lblFiles->setObjectName(QStringLiteral("lblFiles"));
    lblFiles->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto *texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addSpacing(6);
    for (QLabel *l : {lblUseRange, lblVersion, lblRelease})
        texts->addWidget(l);
    texts->addSpacing(12);
    texts->addWidget(lblDescription);
    texts->addWidget(lblRights);
    texts->addSpacing(12);
    texts->addWidget(lblFiles);
    texts->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(picAboutSoft);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &frmAboutSoft::cmdOK_Click);
    Form_Load();
}

void frmAboutSoft::Form_Load() {
    cps::guarded(c_.log(), "frmAboutSoft->Form_Load:", [&] {
        InitFace();
        picAboutSoft->setPixmap(radioPicture(devicePixelRatioF()));
        lblDescription->setVisible(true);
        lblRights->setVisible(true);
    });
}

void frmAboutSoft::InitFace() {
    cps::guarded(c_.log(), "frmAboutSoft->InitFace:", [&] {
        const AboutTexts &t = aboutTexts(c_.CurLang);
        setWindowTitle(QString::fromUtf8(t.caption));
        lblTitle->setText(QString::fromUtf8(t.title));
        cmdOK->setText(QString::fromUtf8(t.ok));
        lblUseRange->setText(QString::fromUtf8(t.useRange));
        lblVersion->setText(QString::fromUtf8(t.version));
        lblRelease->setText(QString::fromUtf8(t.releasedOn).arg(buildDate()));
        lblDescription->setText(QString::fromUtf8(t.description));
        lblRights->setText(QString::fromUtf8(t.rights));
        lblFiles->setText(QString::fromUtf8(c_.files.installed() ? t.installed : t.portable)
                              .arg(QString::fromStdString(c_.SettingsFile)));

        const QString family = QString::fromStdString(c_.CurFont);
        for (QWidget *w :
             std::initializer_list<QWidget *>{lblTitle, lblUseRange, lblVersion, lblRelease,
                                              lblDescription, lblRights, lblFiles, cmdOK}) {
            QFont f = w->font();
            if (!family.isEmpty())
                f.setFamily(family);
            w->setFont(f);
        }
        QFont titleFont = lblTitle->font();
        titleFont.setPointSize(14);
        lblTitle->setFont(titleFont);
    });
}

void frmAboutSoft::cmdOK_Click() {
    cps::guarded(c_.log(), "frmAboutSoft->cmdOK_Click:", [&] { accept(); });
}
