#include "editors/ScrollingMessage.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kMessageBoxLines = 25;
} // namespace

bool ScrollingMessage::needed(const QString &text) {
    return text.count(QLatin1Char('\n')) >= kMessageBoxLines;
}

ScrollingMessage::ScrollingMessage(QWidget *parent, const QString &text, const QString &title,
                                   QMessageBox::Icon icon, QMessageBox::StandardButtons buttons)
    : QDialog(parent) {
    setObjectName(QStringLiteral("scrollingMessage"));
    setWindowTitle(title);
    const qsizetype breakAt = text.indexOf(QLatin1Char('\n'));
    const QString heading = breakAt < 0 ? text : text.left(breakAt);
    const QString body = breakAt < 0 ? QString() : text.mid(breakAt + 1);

    auto *iconLabel = new QLabel(this);
    const QIcon standard =
        style()->standardIcon(icon == QMessageBox::Critical      ? QStyle::SP_MessageBoxCritical
                              : icon == QMessageBox::Question    ? QStyle::SP_MessageBoxQuestion
                              : icon == QMessageBox::Information ? QStyle::SP_MessageBoxInformation
                                                                 : QStyle::SP_MessageBoxWarning);
    iconLabel->setPixmap(standard.pixmap(32, 32));
    auto *headingLabel = new QLabel(heading, this);
    headingLabel->setTextFormat(Qt::PlainText); // may quote imported text
    headingLabel->setWordWrap(true);
    auto *top = new QHBoxLayout;
    top->addWidget(iconLabel, 0, Qt::AlignTop);
    top->addWidget(headingLabel, 1);

    // A plain text view lays out only the lines in sight, so thousands cost
    // nothing to show.
    list_ = new QPlainTextEdit(this);
    list_->setReadOnly(true);
    list_->setLineWrapMode(QPlainTextEdit::NoWrap);
    list_->setPlainText(body);

    buttons_ =
        new QDialogButtonBox(QDialogButtonBox::StandardButtons::fromInt(buttons.toInt()), this);
    connect(buttons_, &QDialogButtonBox::clicked, this, [this](QAbstractButton *b) {
        answer_ = static_cast<QMessageBox::StandardButton>(buttons_->standardButton(b));
        done(QDialog::Accepted);
    });
    answer_ = buttons.testFlag(QMessageBox::No)       ? QMessageBox::No
              : buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
                                                      : QMessageBox::Ok;

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons_);

    // As large as the lines need, within two thirds of the screen.
    const QScreen *screen =
        parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QFontMetrics fm = list_->fontMetrics();
    int widest = fm.horizontalAdvance(heading);
    const QStringList lines = body.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size() && i < 500; ++i)
        widest = std::max(widest, fm.horizontalAdvance(lines[i]));
    const int width = std::clamp(widest + 120, 360, avail.width() * 2 / 3);
    const int height = std::clamp(static_cast<int>(lines.size()) * fm.lineSpacing() + 160, 240,
                                  avail.height() * 2 / 3);
    resize(width, height);
    setMaximumHeight(avail.height());
}
