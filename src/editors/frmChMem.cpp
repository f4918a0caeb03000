#include "editors/frmChMem.h"

#include "editors/Dialogs.h"
#include "editors/MainWindowServices.h"
#include "core/ChannelCodec.h"
#include "core/Ctdcs.h"
#include "core/MemoryImage.h"
#include "editors/ChMemFormat.h"
#include "editors/ChMemGrid.h"
#include "editors/ChMemPrint.h"
#include "editors/ChMemPrintPreview.h"
#include "editors/GridDelegates.h"
#include "editors/frmCustomFre.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QColor kGridBackground(247, 247, 247);

// The column beside the grid: as wide as its controls need in the current
// language and style, scrolling vertically when the window is short.
class SidePanel : public QScrollArea {
  public:
    explicit SidePanel(QWidget *content) {
        setWidget(content);
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    }
    QSize sizeHint() const override {
        return {widget()->sizeHint().width() + verticalScrollBar()->sizeHint().width(),
                QScrollArea::sizeHint().height()};
    }
    QSize minimumSizeHint() const override { return {sizeHint().width(), 0}; }

  protected:
    bool eventFilter(QObject *o, QEvent *e) override {
        if (o == widget() && e->type() == QEvent::LayoutRequest)
            updateGeometry();
        return QScrollArea::eventFilter(o, e);
    }
};
} // namespace

frmChMem::frmChMem(MainWindowServices *main) : QWidget(main->frame()), main_(main) {
    setObjectName(QStringLiteral("frmChMem"));
    buildLayout();
}

frmChMem::~frmChMem() {
    // The sub-window outlives this window by a moment during teardown; its
    // events must not reach a filter that is already half destroyed.
    if (QWidget *sub = parentWidget())
        sub->removeEventFilter(this);
}

cps::Cps &frmChMem::c() const {
    return main_->cps();
}
ChGrid *frmChMem::grid() const {
    return static_cast<ChGrid *>(vsfgGridCh);
}

void frmChMem::buildLayout() {
    auto *g = new ChGrid;
    g->setObjectName(QStringLiteral("vsfgGridCh"));
    vsfgGridCh = g;
    delegate_ = new GridDelegate(g);
    g->setItemDelegate(delegate_);
    g->beforeEdit = [this](int r, int col) { return vsfgGridCh_BeforeEdit(r, col); };
    g->typedOnCell = [this](int r, int col, const QString &text) {
        return typedOnCtdcsCell(r, col, text);
    };
    delegate_->comboList = [this](int col) {
        if (col < 0 || col >= static_cast<int>(comboLists_.size()))
            return QStringList();
        const QString &list = comboLists_[static_cast<std::size_t>(col)];
        return list.isEmpty() ? QStringList() : list.split(QLatin1Char('|'));
    };
    delegate_->afterEdit = [this](int r, int col, const QString &text, int listIndex) {
        vsfgGridCh_AfterEdit(r, col, text, listIndex);
    };
    delegate_->editorDoubleClick = [this](int r, int col) { vsfgGridCh_DblClick(r, col); };
    connect(g, &ChGrid::cellClick, this, &frmChMem::vsfgGridCh_Click);
    connect(g, &ChGrid::cellDblClick, this, &frmChMem::vsfgGridCh_DblClick);
    connect(g, &ChGrid::cellMouseDown, this, &frmChMem::vsfgGridCh_MouseDown);
    connect(g, &ChGrid::rowsDragged, this, [this](int from, int to) {
        moveChannels(grid()->selectedRows(), to - from);
    });
    g->contextMenuKey = [this](int r, int col) {
        const QRect cell = grid()->cellRect(r, col);
        showPopup(r, grid()->viewport()->mapToGlobal(cell.bottomLeft()));
    };
    connect(g->horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (cboGridChCtdcs->isVisible() && ctdcsRow > 0)
            cboGridChCtdcs->setGeometry(grid()->cellRect(ctdcsRow, ctdcsCol));
    });

    // The signalling entry box floats over a decode or encode cell.
    auto *box = new SignallingBox(g->viewport());
    box->entryEnded = [this](const QKeyEvent &key) { endCtdcsEntry(key); };
    cboGridChCtdcs = box;
    cboGridChCtdcs->setObjectName(QStringLiteral("cboGridChCtdcs"));
    cboGridChCtdcs->setEditable(true);
    cboGridChCtdcs->setInsertPolicy(QComboBox::NoInsert);
    // The box takes exactly what is typed: a half-typed tone ("15") must not be
    // completed to a real one from the list and end up on the radio.
    cboGridChCtdcs->setCompleter(nullptr);
    cboGridChCtdcs->setDuplicatesEnabled(true);
    cboGridChCtdcs->setMaxVisibleItems(16);
    cboGridChCtdcs->lineEdit()->setAlignment(Qt::AlignCenter);
    cboGridChCtdcs->hide();
    cboGridChCtdcs->installEventFilter(this);
    cboGridChCtdcs->lineEdit()->installEventFilter(this);

    fraMain = new QGroupBox;
    fraMain->setObjectName(QStringLiteral("fraMain"));
    auto *mainBox = new QVBoxLayout(fraMain);
    mainBox->setContentsMargins(6, 6, 6, 6);
    mainBox->addWidget(g);

    fraModel = new QGroupBox;
    fraModel->setObjectName(QStringLiteral("fraModel"));
    fraModel->installEventFilter(this);
    lblModel = new QLabel;
    lblModel->setObjectName(QStringLiteral("lblModel"));
    lblFrequency = new QLabel;
    lblFrequency->setObjectName(QStringLiteral("lblFrequency"));
    cboModel = new QComboBox;
    cboModel->setObjectName(QStringLiteral("cboModel"));
    cboFrequency = new QComboBox;
    cboFrequency->setObjectName(QStringLiteral("cboFrequency"));
    cboFrequency->setMaxVisibleItems(15);
    keepWheelForFocus(cboModel);
    keepWheelForFocus(cboFrequency);
    connect(cboModel, &QComboBox::activated, this, &frmChMem::cboModel_Activated);
    connect(cboFrequency, &QComboBox::activated, this, &frmChMem::cboFrequency_Activated);
    cmdPrintChannel = new QPushButton;
    cmdPrintChannel->setObjectName(QStringLiteral("cmdPrintChannel"));
    connect(cmdPrintChannel, &QPushButton::clicked, this, &frmChMem::cmdPrintChannel_Click);
    auto *modelForm = new QFormLayout(fraModel);
    modelForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    modelForm->addRow(lblModel, cboModel);
    modelForm->addRow(lblFrequency, cboFrequency);
    modelForm->addRow(cmdPrintChannel);

    fraCommonSet = new QGroupBox;
    fraCommonSet->setObjectName(QStringLiteral("fraCommonSet"));
    buildOptionControls();

    auto *side = new QWidget;
    auto *sideBox = new QVBoxLayout(side);
    sideBox->setContentsMargins(0, 0, 0, 0);
    sideBox->addWidget(fraModel);
    sideBox->addWidget(fraCommonSet);
    sideBox->addStretch(1);
    auto *scroll = new SidePanel(side);
    scroll->setObjectName(QStringLiteral("sidePanel"));

    // Ctrl+Tab takes the keys between the grid and the option controls.
    auto *switchPanel = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    switchPanel->setContext(Qt::WidgetWithChildrenShortcut);
    connect(switchPanel, &QShortcut::activated, this, [this] {
        if (vsfgGridCh->hasFocus() || vsfgGridCh->isAncestorOf(focusWidget()))
            optionControl(0)->setFocus(Qt::TabFocusReason);
        else
            vsfgGridCh->setFocus(Qt::TabFocusReason);
    });

    auto *root = new QHBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->setSpacing(8);
    root->addWidget(fraMain, 1);
    root->addWidget(scroll, 0);
}

void frmChMem::InitChMem() {
    cps::guarded(c().log(), "frmChMem->InitChMem", [&] {
        c().view = this;
        if (!c().CurFont.empty())
            setFont(QFont(QString::fromStdString(c().CurFont), 9));
        InitFace();
        ChInfoInitFace();
        cps::GenCtdcsList(c());
        cboGridChCtdcs->clear();
        for (const auto &entry : c().ctdcsList)
            cboGridChCtdcs->addItem(QString::fromStdString(entry));
        cps::ReadChInfo(c());
        SetChGrid();
        cps::InitChTable(c());
        LockColor = vsfgGridCh->palette().color(QPalette::Base);
        SelColor = vsfgGridCh->palette().color(QPalette::Highlight);
        InitOpt();
        ChInfoModel();
    });
}

void frmChMem::ChInfoInitFace() {
    cps::guarded(c().log(), "frmChMem->ChInfoInitFace", [&] {
        const QString caption = QString::fromStdString(c().text(302));
        setWindowTitle(caption);
        fraMain->setTitle(caption);
        // The area around the cells and the label column take the light grey.
        QPalette pal = vsfgGridCh->palette();
        pal.setColor(QPalette::Window, kGridBackground);
        vsfgGridCh->setPalette(pal);
        delegate_->labelBackground = kGridBackground;
    });
}

void frmChMem::SetChGrid() {
    cps::guarded(c().log(), "modChMem->SetChGrid:", [&] {
        const auto &cols = c().cols;
        auto *g = grid();
        g->clear();
        g->setRowCount(0);
        g->setColumnCount(1);
        QStringList captions = QString::fromStdString(cols.format).split(QLatin1Char('|'));
        const int columns = cols.columnCount + 1;
        g->setColumnCount(columns);
        while (captions.size() < columns)
            captions << QString();
        g->setHorizontalHeaderLabels(captions.mid(0, columns));
        comboLists_.assign(static_cast<std::size_t>(columns), QString());

        QFont gridFont = g->font();
        gridFont.setPointSize(10);
        g->setFont(gridFont);
        g->horizontalHeader()->setFont(gridFont);
        const QFontMetrics fm(gridFont);
        const double pxPerTwip = g->logicalDpiX() / 1440.0;

        const int rowHeight =
            std::max(static_cast<int>(cols.rowHeight * pxPerTwip), fm.height() + 10);
        g->horizontalHeader()->setMinimumHeight(rowHeight + 4);
        g->verticalHeader()->setMinimumSectionSize(rowHeight);
        g->verticalHeader()->setDefaultSectionSize(rowHeight);
        g->setRowCount(cols.channelCount);
        for (int r = 1; r <= cols.channelCount; ++r) {
            auto *label = new QTableWidgetItem(r <= 99    ? QString::number(r)
                                               : r == 100 ? QStringLiteral("VFO")
                                                          : QString());
            label->setFlags(Qt::NoItemFlags); // fixed: never selected or edited
            label->setTextAlignment(Qt::AlignCenter);
            g->setItem(r - 1, 0, label);
            for (int col = 1; col < columns; ++col) {
                auto *it = new QTableWidgetItem;
                it->setTextAlignment(Qt::AlignCenter);
                g->setItem(r - 1, col, it);
            }
        }

        std::vector<int> widths, minimum;
        for (int col = 0; col < columns; ++col) {
            const int twips = col < static_cast<int>(cols.widths.size())
                                  ? cols.widths[static_cast<std::size_t>(col)]
                                  : 1000;
            // The defined width, widened where this font needs more for the caption
            // or for the longest value the column can show.
            int width = static_cast<int>(twips * pxPerTwip);
            width = std::max(width, fm.horizontalAdvance(captions[col]) + 24);
            // The least: the longest value and the longest word of the caption.
            int least = 0;
            for (const QString &word : captions[col].split(QLatin1Char(' '), Qt::SkipEmptyParts))
                least = std::max(least, fm.horizontalAdvance(word) + 16);
            const QString keyword = columnKeyword(col);
            QStringList samples;
            if (keyword == "RxFre" || keyword == "TxFre" || keyword == "OFFSET")
                samples << QStringLiteral("000.00000");
            else if (keyword == "CtcssDcsDec" || keyword == "CtcssDcsEnc")
                samples << QStringLiteral("D000N") << QString::fromStdString(c().noneText);
            else if (col >= 5)
                for (int k = 3; k < cols.itemCount(col); ++k)
                    samples << QString::fromStdString(cols.item(col, k));
            for (const auto &s : samples) {
                width = std::max(width, fm.horizontalAdvance(s) + 24);
                least = std::max(least, fm.horizontalAdvance(s) + 16);
            }
            widths.push_back(width);
            minimum.push_back(least);
        }
        // Captions wrap when the window leaves their column too little width.
        g->horizontalHeader()->setDefaultAlignment(
            Qt::Alignment::fromInt(Qt::AlignCenter | Qt::TextWordWrap));
        g->setBaseColumnWidths(widths, minimum);
        g->horizontalHeader()->setStretchLastSection(false);
        if (cols.channelCount >= 1 && columns > 1)
            g->selectCell(1, 1);
    });
}

void frmChMem::ChInfoModel() {
    cps::guarded(c().log(), "frmChMem->ChInfoModel", [&] {
        {
            const QSignalBlocker block(cboModel);
            cboModel->clear();
            cboModel->addItem(QString::fromStdString(c().text(356)));
            cboModel->setCurrentIndex(0);
        }
        cboModel_Click();
        {
            const QSignalBlocker block(cboFrequency);
            cboFrequency->clear();
            for (const auto &band : cps::bandTable())
                cboFrequency->addItem(QString::fromUtf8(band.caption));
            cboFrequency->addItem(QString::fromStdString(c().text(373)));
            cboFrequency->setCurrentIndex(cps::kDefaultBand);
        }
        cboFrequency_Click();
    });
}

void frmChMem::cboModel_Click() {
    cps::guarded(c().log(), "frmChMem->cboModel_Click", [&] {
        if (cboModel->currentIndex() < 0)
            cboModel->setCurrentIndex(0);
        c().at(cps::kModelByte) = static_cast<uint8_t>(cboModel->currentIndex());
        c().modelIndex = cboModel->currentIndex();
    });
}

void frmChMem::cboFrequency_Click() {
    if (c().bandGuard)
        return;
    cps::guarded(c().log(), "frmChMem->cboFrequency_Click", [&] {
        const int index = cboFrequency->currentIndex();
        if (index == cps::kCustomBand) {
            // Cancel, like No at its question, leaves the plan and the band as
            // they are: going on would clear the plan without a question.
            frmCustomFre dialog(main_, this);
            if (dialog.exec() != QDialog::Accepted) {
                showModelBand(); // the selector and title show the band in force again
                return;
            }
        }
        const std::string caption = cps::selectBand(c(), index);
        if (!caption.empty())
            setWindowTitle(QString::fromStdString(caption));
    });
}

void frmChMem::showModelBand() {
    const QSignalBlocker blockModel(cboModel);
    const QSignalBlocker blockBand(cboFrequency);
    cboModel->setCurrentIndex(c().modelIndex);
    cboFrequency->setCurrentIndex(c().bandIndex);
    setWindowTitle(
        QString::fromStdString(cps::bandCaption(c(), c().bandIndex, c().bandLow, c().bandHigh)));
}

void frmChMem::fraModel_Click() {
    // A service entry: the 6th click shows the memory view, and so does every
    // click whose running count ends in 6; every other click hides it.
    ++fraModelClicks;
    main_->showMemDat(fraModelClicks % 10 == 6);
}

void frmChMem::applyLock(bool locked) {
    cps::guarded(c().log(), "frmChMem->applyLock", [&] {
        grid()->setEditingEnabled(!locked);
        if (locked) {
            // The table freezes as it stands: an entry still being typed is dropped.
            grid()->cancelEdit();
            hideCtdcsBox();
        }
        QPalette pal = vsfgGridCh->palette();
        const QColor selection = locked ? LockColor : SelColor;
        pal.setColor(QPalette::Active, QPalette::Highlight, selection);
        pal.setColor(QPalette::Inactive, QPalette::Highlight, selection);
        if (locked) {
            pal.setColor(QPalette::Active, QPalette::HighlightedText, pal.color(QPalette::Text));
            pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Text));
        } else {
            pal.setColor(QPalette::HighlightedText, palette().color(QPalette::HighlightedText));
        }
        vsfgGridCh->setPalette(pal);
        vsfgGridCh->setEnabled(false);
        vsfgGridCh->setEnabled(true);
        fraModel->setEnabled(!locked);
        fraCommonSet->setEnabled(!locked);
    });
}

void frmChMem::closeEvent(QCloseEvent *e) {
    // The channel window stays for the whole run; it closes only at exit.
    if (c().Closing == 1)
        e->accept();
    else
        e->ignore();
}

void frmChMem::keepMaximised() {
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!sub || c().Closing == 1)
        return;
    if (sub->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))
        return;
    // Only the window in front goes back to maximised: when another child
    // window comes forward, the MDI area restores this one behind it, and
    // maximising it again would pull it back over the other.
    const auto inFront = [sub] {
        return !sub->mdiArea() || sub->mdiArea()->activeSubWindow() == sub;
    };
    if (!inFront())
        return;
    QTimer::singleShot(0, sub, [sub, inFront] {
        if (inFront())
            sub->showMaximized();
    });
}

bool frmChMem::eventFilter(QObject *watched, QEvent *event) {
    if (watched == fraModel && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        fraModel_Click();
        return false;
    }
    if (watched == cboGridChCtdcs) {
        if (event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            cboGridChCtdcs_GotFocus();
        else if (event->type() == QEvent::FocusOut &&
                 static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason &&
                 !intoCtdcsList())
            cboGridChCtdcs_LostFocus(static_cast<QFocusEvent *>(event)->reason());
        return false;
    }
    if (watched == cboGridChCtdcs->lineEdit() && event->type() == QEvent::MouseButtonDblClick) {
        if (ctdcsRow > 0)
            vsfgGridCh_DblClick(ctdcsRow, ctdcsCol);
        return true;
    }
    if (watched == parentWidget() && event->type() == QEvent::WindowStateChange)
        keepMaximised();
    return QWidget::eventFilter(watched, event);
}

bool frmChMem::event(QEvent *e) {
    if (e->type() == QEvent::ParentChange && parentWidget()) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
            sub->installEventFilter(this);
    }
    return QWidget::event(e);
}

void frmChMem::cmdPrintChannel_Click() {
    const auto text = [&](int n) { return QString::fromStdString(c().text(n)); };
    main_->frame()->activateWindow();
    main_->frame()->setFocus(Qt::OtherFocusReason);
    const QString previousNotice = main_->panel(1);
    // Without a printer the preview offers Print and Save as PDF instead of failing.
    if (!printerFactory && !chmem::printerInstalled()) {
        main_->setPanel(1, text(563));
        chmem::showPrintPreview(main_->frame(), *vsfgGridCh, c());
        return;
    }
    const bool printed = cps::guarded(c().log(), "frmChMem->cmdPrintChannel_Click", [&] {
        const QString title = chmem::printTitle(c());
        std::unique_ptr<QPrinter> printer =
            printerFactory ? printerFactory()
                           : std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!printer)
            cps::raise(cps::err::PrinterError);
        printer->setDocName(title);
        chmem::setChannelPage(*printer);
        main_->setPanel(1, text(105));
        if (!chmem::printTable(*printer, *vsfgGridCh, title))
            cps::raise(cps::err::PrinterError);
    });
    if (printed) {
        main_->setPanel(1, previousNotice); // the printing notice is over
        return;
    }
    main_->setPanel(1, text(106));
    cps::dialogs().message(this, text(106), text(70), QMessageBox::Critical, QMessageBox::Ok);
}
