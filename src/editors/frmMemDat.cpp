#include "editors/frmMemDat.h"

#include "editors/MainWindowServices.h"
#include "core/Cps.h"
#include "core/Failure.h"
#include "core/Plan.h"
#include "editors/MemDatText.h"
#include "editors/frmPartFill.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

// The table's sizes are given in twips; 15 twips make one pixel at 96 dpi
// (Qt scales these logical pixels on high-density screens).
constexpr int px(int twips) {
    return (twips + 7) / 15;
}
constexpr int kRowHeight = px(270);        // every row, the label row too
constexpr int kDataColumnWidth = px(420);  // one byte
constexpr int kLabelColumnWidth = px(620); // "01A0H"
constexpr int kBytesPerRow = 16;
constexpr int kFontPointSize = 10;
const QColor kChangedColour(255, 0, 0);

// Every cell and its editor centred, like the labels.
class CentredDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->setAlignment(Qt::AlignCenter);
        return editor;
    }

  protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignCenter;
    }
};

} // namespace

frmMemDat::frmMemDat(MainWindowServices *main) : frmMemDat(main->cps(), main->frame()) {}

frmMemDat::frmMemDat(cps::Cps &c, QWidget *parent) : QWidget(parent, Qt::Window), c_(c) {
    buildWindow();
}

void frmMemDat::buildWindow() {
    setObjectName(QStringLiteral("frmMemDat"));
    setWindowTitle(QStringLiteral("Memory Data"));

    auto *fraMemData = new QGroupBox(QStringLiteral("Memory Data"), this);
    fraMemData->setObjectName(QStringLiteral("fraMemData"));
    vsfgGridMemDat = new QTableWidget(fraMemData);
    vsfgGridMemDat->setObjectName(QStringLiteral("vsfgGridMemDat"));
    vsfgGridMemDat->setItemDelegate(new CentredDelegate(vsfgGridMemDat));
    vsfgGridMemDat->setSelectionMode(QAbstractItemView::SingleSelection);
    vsfgGridMemDat->setEditTriggers(QAbstractItemView::NoEditTriggers); // until the first refill
    vsfgGridMemDat->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vsfgGridMemDat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font = vsfgGridMemDat->font();
    font.setPointSize(kFontPointSize);
    vsfgGridMemDat->setFont(font);
    vsfgGridMemDat->viewport()->setMouseTracking(true);
    vsfgGridMemDat->viewport()->installEventFilter(this);
    // The corner above the row labels carries the first header entry, "Addr".
    if (auto *corner = vsfgGridMemDat->findChild<QAbstractButton *>())
        corner->installEventFilter(this);

    auto *frameLayout = new QVBoxLayout(fraMemData);
    frameLayout->addWidget(vsfgGridMemDat);

    cmdPartFill = new QPushButton(QStringLiteral("Part Fill"), this);
    cmdPartFill->setObjectName(QStringLiteral("cmdPartFill"));
    cmdFillGrid = new QPushButton(QStringLiteral("Fill Gird"), this);
    cmdFillGrid->setObjectName(QStringLiteral("cmdFillGrid"));
    cmdSetDefCol = new QPushButton(QStringLiteral("Set Def Color"), this);
    cmdSetDefCol->setObjectName(QStringLiteral("cmdSetDefCol"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {cmdPartFill, cmdFillGrid, cmdSetDefCol}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fraMemData);
    layout->addLayout(buttons);

    connect(cmdPartFill, &QPushButton::clicked, this, &frmMemDat::cmdPartFill_Click);
    connect(cmdFillGrid, &QPushButton::clicked, this, &frmMemDat::cmdFillGrid_Click);
    connect(cmdSetDefCol, &QPushButton::clicked, this, [this] {
        cps::guarded(c_.log(), "frmMemDat->cmdSetDefCol_Click", [&] { resetColours(); });
    });
    connect(vsfgGridMemDat, &QTableWidget::itemChanged, this, &frmMemDat::vsfgGridMemDat_AfterEdit);

    resize(560, 34 * kRowHeight + 110); // about 32 rows of the table
}

frmMemDat::~frmMemDat() {
    // The grid is destroyed after this window's own part: an edit it commits
    // on the way out must not call back into a window that is gone.
    disconnect(vsfgGridMemDat, nullptr, this, nullptr);
}

int frmMemDat::tableEnd() const {
    return c_.settings.tableMaxAddr;
}

int frmMemDat::dataRows() const {
    return vsfgGridMemDat->rowCount();
}

QTableWidgetItem *frmMemDat::cellAt(int address) const {
    if (address < 0)
        return nullptr;
    const int row = address / kBytesPerRow;
    if (row >= vsfgGridMemDat->rowCount())
        return nullptr;
    return vsfgGridMemDat->item(row, address % kBytesPerRow);
}

void frmMemDat::SetGridMemDat() {
    cps::guarded(c_.log(), "modMemDat->SetGridMemDat", [&] {
        const QSignalBlocker quiet(vsfgGridMemDat->model());
        filled_ = false;
        vsfgGridMemDat->setEditTriggers(QAbstractItemView::NoEditTriggers);
        vsfgGridMemDat->clear();
        const int end = tableEnd();
        const int rows = end < 0 ? 0 : end / kBytesPerRow + 1;
        vsfgGridMemDat->setColumnCount(kBytesPerRow);
        vsfgGridMemDat->setRowCount(rows);

        QStringList columnLabels;
        for (int k = 0; k < kBytesPerRow; ++k)
            columnLabels << QString::number(k, 16).toUpper();
        vsfgGridMemDat->setHorizontalHeaderLabels(columnLabels);
        QStringList rowLabels;
        for (int r = 0; r < rows; ++r)
            rowLabels << memdat::rowLabel(r * kBytesPerRow);
        vsfgGridMemDat->setVerticalHeaderLabels(rowLabels);

        // The sizes in twips are the least; a larger font widens the columns
        // so no label or byte is ever cut.
        const QFontMetrics fm(vsfgGridMemDat->font());
        const int rowHeight = std::max(kRowHeight, fm.height() + 2);
        const int columnWidth =
            std::max(kDataColumnWidth, fm.horizontalAdvance(QStringLiteral("FF")) + 10);
        const int labelWidth =
            std::max(kLabelColumnWidth, fm.horizontalAdvance(QStringLiteral("0000H")) + 14);
        QHeaderView *top = vsfgGridMemDat->horizontalHeader();
        top->setMinimumSectionSize(1);
        top->setDefaultSectionSize(columnWidth);
        top->setSectionResizeMode(QHeaderView::Fixed);
        top->setDefaultAlignment(Qt::AlignCenter);
        top->setFixedHeight(rowHeight);
        QHeaderView *side = vsfgGridMemDat->verticalHeader();
        side->setMinimumSectionSize(1);
        side->setDefaultSectionSize(rowHeight);
        side->setSectionResizeMode(QHeaderView::Fixed);
        side->setDefaultAlignment(Qt::AlignCenter);
        side->setFixedWidth(labelWidth);
        const int tableWidth = labelWidth + kBytesPerRow * columnWidth +
                               vsfgGridMemDat->verticalScrollBar()->sizeHint().width() +
                               2 * vsfgGridMemDat->frameWidth();
        vsfgGridMemDat->setMinimumWidth(tableWidth);
        vsfgGridMemDat->setTextElideMode(Qt::ElideNone); // a byte is never shown as "…"
        resize(std::max(width(), sizeHint().width()), height());

        // Cells past the table end in its last row show nothing and take no typing.
        for (int a = 0; a < rows * kBytesPerRow; ++a) {
            auto *item = new QTableWidgetItem;
            if (a > end)
                item->setFlags(Qt::ItemIsEnabled);
            vsfgGridMemDat->setItem(a / kBytesPerRow, a % kBytesPerRow, item);
        }
        if (rows > 0)
            vsfgGridMemDat->setCurrentCell(0, 0);
    });
    vsfgGridMemDat->viewport()->update();
}

void frmMemDat::resetColours() {
    const QSignalBlocker quiet(vsfgGridMemDat->model());
    for (int r = 0; r < vsfgGridMemDat->rowCount(); ++r)
        for (int k = 0; k < kBytesPerRow; ++k)
            if (QTableWidgetItem *item = vsfgGridMemDat->item(r, k);
                item && item->data(Qt::ForegroundRole).isValid())
                item->setData(Qt::ForegroundRole, QVariant());
    vsfgGridMemDat->viewport()->update();
}

void frmMemDat::TableFreDat() {
    QTableWidgetItem *lastChanged = nullptr;
    {
        // One repaint for the whole table instead of one signal per cell.
        const QSignalBlocker quiet(vsfgGridMemDat->model());
        cps::guarded(c_.log(), "modMemDat->TableFreDat", [&] {
            resetColours();
            bool badCellReported = false;
            const int end = tableEnd();
            filled_ = true;
            vsfgGridMemDat->setEditTriggers(QAbstractItemView::DoubleClicked |
                                            QAbstractItemView::EditKeyPressed |
                                            QAbstractItemView::AnyKeyPressed);
            for (int a = 0; a <= end; ++a) {
                QTableWidgetItem *item = cellAt(a);
                if (!item)
                    cps::raise(cps::err::IndexOutOfRange);
                const uint8_t now = c_.at(a);
                const QString shown = item->text();
                if (!shown.isEmpty()) {
                    const int before = memdat::hexPrefixValue(shown);
                    // A text that is no byte (typed, never taken back) is reported
                    // once and replaced like any other, so the table never keeps
                    // stale bytes that a later take-back would write into the image.
                    if (before > 0xFF && !badCellReported) {
                        c_.log().runtimeError("modMemDat->TableFreDat", cps::err::Overflow,
                                              "BrenvikCPS");
                        badCellReported = true;
                    }
                    if (before != now) {
                        item->setForeground(kChangedColour);
                        lastChanged = item;
                    }
                }
                item->setText(memdat::FormatByteDat(now));
            }
        });
    }
    vsfgGridMemDat->viewport()->update();
    // The grid shows the last changed byte, selected.
    if (lastChanged) {
        vsfgGridMemDat->setCurrentItem(lastChanged);
        vsfgGridMemDat->scrollToItem(lastChanged);
    }
}

void frmMemDat::showImageBytes(int first, int last) {
    const QSignalBlocker quiet(vsfgGridMemDat->model());
    for (int a = std::max(first, 0); a <= last; ++a)
        if (QTableWidgetItem *item = cellAt(a); item && a <= tableEnd())
            item->setText(memdat::FormatByteDat(c_.at(a)));
    vsfgGridMemDat->viewport()->update();
}

void frmMemDat::GridDataTemp() {
    cps::guarded(c_.log(), "frmMemDat->GridDataTemp", [&] {
        // Before the first refill the cells hold nothing of the image: taking
        // them back would overwrite every byte with 0.
        if (!filled_)
            return;
        const int end = tableEnd();
        for (int a = 0; a <= end; ++a) {
            QTableWidgetItem *item = cellAt(a);
            if (!item)
                cps::raise(cps::err::IndexOutOfRange);
            const QString text = item->text();
            cps::guarded(c_.log(), "frmMemDat->SeparateChar",
                         [&] { memdat::SeparateChar(c_, text); });
            const int value = memdat::convBufValue(c_);
            if (value > 0xFF)
                cps::raise(cps::err::Overflow);
            c_.at(a) = static_cast<uint8_t>(value);
        }
    });
    if (onImageEdited)
        onImageEdited();
}

void frmMemDat::CellTipHint(int row, int col) {
    const bool ok = cps::guarded(c_.log(), "frmMemDat->CellTipHint", [&] {
        if (row < 1 || col < 1 || row > vsfgGridMemDat->rowCount() || col > kBytesPerRow)
            return;
        QTableWidgetItem *item = vsfgGridMemDat->item(row - 1, col - 1);
        if (!item || item->text().isEmpty())
            return;
        // Moving the selection while a cell is being typed would end the typing.
        if (!isTyping()) {
            // Selecting a half-shown cell must not scroll the grid under the mouse.
            const bool autoScroll = vsfgGridMemDat->hasAutoScroll();
            vsfgGridMemDat->setAutoScroll(false);
            vsfgGridMemDat->setCurrentItem(item);
            vsfgGridMemDat->setAutoScroll(autoScroll);
        }
        const int address = kBytesPerRow * (row - 1) + col - 1;
        tip_ = memdat::cellTipText(address, item->text());
        vsfgGridMemDat->setToolTip(tip_);
    });
    if (!ok) {
        tip_.clear();
        vsfgGridMemDat->setToolTip(tip_);
    }
}

QString frmMemDat::tipText() const {
    return tip_;
}

bool frmMemDat::isTyping() const {
    const auto editors = vsfgGridMemDat->viewport()->findChildren<QLineEdit *>();
    return std::any_of(editors.begin(), editors.end(), [](QLineEdit *e) { return e->isVisible(); });
}

void frmMemDat::vsfgGridMemDat_AfterEdit() {
    cps::guarded(c_.log(), "frmMemDat->vsfgGridMemDat_AfterEdit", [&] { GridDataTemp(); });
}

void frmMemDat::cmdFillGrid_Click() {
    cps::guarded(c_.log(), "frmMemDat->cmdFillGrid_Click", [&] {
        cps::SetConvIicDat(c_);
        TableFreDat();
    });
}

frmPartFill *frmMemDat::partFillDialog() {
    if (!partFill_)
        partFill_ = new frmPartFill(this);
    return partFill_;
}

void frmMemDat::cmdPartFill_Click() {
    cps::guarded(c_.log(), "frmMemDat->cmdPartFill_Click", [&] { partFillDialog()->exec(); });
}

void frmMemDat::closeEvent(QCloseEvent *event) {
    if (c_.Closing == 1) {
        event->accept();
        return;
    }
    event->ignore();
    hide();
}

bool frmMemDat::eventFilter(QObject *watched, QEvent *event) {
    QWidget *viewport = vsfgGridMemDat->viewport();
    if (watched == viewport) {
        switch (event->type()) {
        case QEvent::MouseMove: {
            const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
            const int row = vsfgGridMemDat->rowAt(pos.y());
            const int col = vsfgGridMemDat->columnAt(pos.x());
            if (row != hoverRow_ || col != hoverCol_) {
                hoverRow_ = row;
                hoverCol_ = col;
                if (row >= 0 && col >= 0)
                    cps::guarded(c_.log(), "frmMemDat->vsfgGridMemDat_MouseMove",
                                 [&] { CellTipHint(row + 1, col + 1); });
            }
            break;
        }
        case QEvent::Leave:
            hoverRow_ = hoverCol_ = -1;
            break;
        case QEvent::ToolTip:
            // One tip for the whole grid: the explanation of the last cell hovered.
            if (tip_.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), tip_, viewport);
            return true;
        default:
            break;
        }
        return false;
    }
    if (event->type() == QEvent::Paint && qobject_cast<QAbstractButton *>(watched)) {
        // The corner is drawn as a header section with the text "Addr".
        auto *corner = static_cast<QWidget *>(watched);
        QPainter painter(corner);
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.rect = corner->rect();
        option.text = QStringLiteral("Addr");
        option.textAlignment = Qt::AlignCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.orientation = Qt::Horizontal;
        painter.setFont(vsfgGridMemDat->horizontalHeader()->font());
        corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
