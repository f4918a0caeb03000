// The channel grid's events: showing the table, the edit rules, clicks,
// double clicks, the signalling box and the pop-up menu.
#include "editors/MainWindowServices.h"
#include "core/ChannelCodec.h"
#include "core/ChannelEntry.h"
#include "core/Ctdcs.h"
#include "editors/ChMemFormat.h"
#include "editors/ChMemGrid.h"
#include "editors/PlanHistory.h"
#include "editors/UndoHistory.h"
#include "editors/frmChMem.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace {
const QColor kRowHighlight(230, 230, 240);
const QColor kSelectedCell(255, 0, 255);
constexpr int kFirstParameterColumn = 5;
constexpr int kNameColumn = 11;

// The source text of a failure for the error log.
std::string sourceOf(const std::exception &e) {
    if (auto *r = dynamic_cast<const cps::RunError *>(&e))
        return r->source;
    return "BrenvikCPS";
}
} // namespace

bool frmChMem::locked() const {
    return c().LockState == "ShowLock";
}
int frmChMem::lastColumn() const {
    return c().cols.columnCount;
}
int32_t &frmChMem::field(int row, int col) const {
    return c().ch.ChInfo.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col));
}
std::string &frmChMem::decText(int row) const {
    return c().ch.decText.at(static_cast<std::size_t>(row));
}
std::string &frmChMem::encText(int row) const {
    return c().ch.encText.at(static_cast<std::size_t>(row));
}
bool frmChMem::channelInUse(int row) const {
    return cps::channelInUse(c(), row);
}
QColor frmChMem::defColor() const {
    return chmem::colorFromSetting(c().settings.defColor);
}
QColor frmChMem::overColor() const {
    return chmem::colorFromSetting(c().settings.overColor);
}
QColor frmChMem::bandColor(int32_t value) const {
    return value < c().bandLow || value > c().bandHigh ? overColor() : defColor();
}

QString frmChMem::columnKeyword(int col) const {
    if (col < 1 || c().cols.itemCount(col) < 1)
        return {};
    return QString::fromStdString(c().cols.item(col, 0));
}

bool frmChMem::isParameterColumn(int col) const {
    static const QStringList keywords{"RxFre",  "TxFre",       "OFFSET",
                                      "CHNAME", "CtcssDcsDec", "CtcssDcsEnc"};
    return col >= 1 && !keywords.contains(columnKeyword(col));
}

// --- showing the table

void frmChMem::ShowChTblGrid() {
    const ChGrid::UpdateBatch batch(*grid());
    cps::guarded(c().log(), "frmChMem->ShowChTblGrid", [&] {
        for (int n = 1; n <= c().cols.channelCount; ++n) {
            if (!channelInUse(n)) {
                for (int col = 1; col <= lastColumn(); ++col)
                    grid()->setText(n, col, QString());
                continue;
            }
            ChParaShow(n);
            RxFreShow(n);
            TxFreShow(n);
            CtdcsDecShow(n);
            CtdcsEncShow(n);
        }
    });
}

void frmChMem::ChParaShow(int n) {
    cps::guarded(c().log(), "frmChMem->ChParaShow", [&] {
        for (int col = kFirstParameterColumn; col <= lastColumn(); ++col) {
            if (col == kNameColumn)
                continue; // the name column has no storage
            grid()->setText(n, col, QString::fromStdString(c().cols.item(col, 3 + field(n, col))));
        }
    });
}

void frmChMem::RxFreShow(int n) {
    cps::guarded(c().log(), "frmChMem->RxFreShow", [&] {
        const int32_t rx = field(n, cps::field::Rx);
        grid()->setText(n, 1, chmem::formatMHz(rx));
        grid()->setTextColor(n, 1, bandColor(rx));
    });
}

void frmChMem::TxFreShow(int n) {
    cps::guarded(c().log(), "frmChMem->TxFreShow", [&] {
        const int32_t tx = field(n, cps::field::Tx);
        if (tx == -1) {
            grid()->setText(n, 2, QString());
            grid()->setTextColor(n, 2, defColor());
        } else {
            grid()->setText(n, 2, chmem::formatMHz(tx));
            grid()->setTextColor(n, 2, bandColor(tx));
        }
    });
}

void frmChMem::CtdcsDecShow(int n) {
    cps::guarded(c().log(), "frmChMem->CtdcsDecShow", [&] {
        grid()->setText(n, 3, QString::fromStdString(decText(n)));
        markTone(n, 3, decText(n));
    });
}

void frmChMem::CtdcsEncShow(int n) {
    cps::guarded(c().log(), "frmChMem->CtdcsEncShow", [&] {
        const bool transmits = field(n, cps::field::Tx) != -1;
        grid()->setText(n, 4, transmits ? QString::fromStdString(encText(n)) : QString());
        markTone(n, 4, transmits ? encText(n) : std::string());
    });
}

void frmChMem::showRestored(const chmem::PlanSnapshot &shown) {
    const ChGrid::UpdateBatch batch(*grid());
    hideCtdcsBox();
    grid()->cancelEdit(); // an entry begun on the old state is not put on the restored one
    const bool bandMoved = c().bandLow != shown.bandLow || c().bandHigh != shown.bandHigh;
    if (bandMoved || c().modelIndex != shown.modelIndex || c().bandIndex != shown.bandIndex)
        showModelBand();
    if (bandMoved) {
        ShowChTblGrid(); // the band colours every frequency
    } else {
        const cps::ChannelTable &now = c().ch, &was = shown.channels;
        for (int n = 1; n <= c().cols.channelCount; ++n) {
            const auto i = static_cast<std::size_t>(n);
            if (now.ChInfo[i] != was.ChInfo[i] || now.decText[i] != was.decText[i] ||
                now.encText[i] != was.encText[i])
                showRow(n);
        }
    }
    if (c().opt.sel != shown.options)
        InitOpt();
}

void frmChMem::clearChannelRow(int n) {
    for (int col = 1; col <= lastColumn(); ++col) {
        grid()->setText(n, col, QString());
        grid()->setTextColor(n, col, defColor());
    }
}

void frmChMem::hideCtdcsBox() {
    // Closed from outside (a new plan, a deletion, another edit): an entry
    // still being typed in it is not committed by the focus it loses.
    ctdcsRow = ctdcsCol = 0;
    // The keys go to the grid, not a hidden box. The grid takes them before
    // the box hides: a focused widget that hides hands the focus on as Tab
    // does, and the grid would take that Tab as a move to the next cell.
    if (cboGridChCtdcs->hasFocus())
        vsfgGridCh->setFocus(Qt::OtherFocusReason);
    cboGridChCtdcs->hide();
}

// --- editing

bool frmChMem::vsfgGridCh_BeforeEdit(int row, int col) {
    bool allowed = false;
    cps::guarded(c().log(), "frmChMem->vsfgGridCh_BeforeEdit", [&] {
        hideCtdcsBox();
        if (locked() || row < 1 || col < 1)
            return;
        const auto setList = [&] {
            if (isParameterColumn(col))
                comboLists_.at(static_cast<std::size_t>(col)) = columnKeyword(col);
        };
        if (row == 100 && col == 10) { // the VFO row's column 10 keeps its settings
            setList();
            allowed = true;
            return;
        }
        if (col == 3 || col == 4)
            return; // the signalling box edits these
        if (!channelInUse(row)) {
            allowed = col == 1;
            return;
        } // a new channel starts at receive
        setList();
        allowed = true;
    });
    editBulkRows_ = allowed && isParameterColumn(col) ? bulkRows(row, col) : std::vector<int>();
    return allowed;
}

void frmChMem::vsfgGridCh_AfterEdit(int row, int col, const QString &text, int listIndex) {
    if (locked())
        return;
    std::vector<int> bulk;
    bulk.swap(editBulkRows_);
    // A frequency that the band clamps is said in the status bar, after the
    // step is taken (its undo is what the notice offers).
    bool clamped = false;
    command(stepLabel(row, col, std::max<std::size_t>(bulk.size(), 1)), [&] {
    try {
        std::string entry = text.toStdString();
        if (col == 1 || col == 2) {
            entry = cps::withDecimalPoint(entry);
            clamped = cps::entryOutsideBand(c(), entry);
        }
        if (col == 1) {
            cps::enterReceive(c(), row, entry);
            showRow(row);
            grid()->selectCell(row, channelInUse(row) ? 2 : 1);
        } else if (col == 2) {
            cps::enterTransmit(c(), row, entry);
            showRow(row);
            if (field(row, cps::field::Tx) != -1)
                grid()->selectCell(row, 3);
        } else {
            cps::enterParameter(c(), row, col, listIndex);
            grid()->setText(row, col, text);
            // A choice made in one cell of a multi-row selection goes to every
            // channel of it.
            for (int r : bulk)
                if (r != row && channelInUse(r)) {
                    cps::enterParameter(c(), r, col, listIndex);
                    grid()->setText(r, col, text);
                }
        }
    } catch (const std::exception &e) {
        try {
            field(row, col) = -1;
            grid()->setText(row, col, QString());
        } catch (const std::exception &) {
        }
        c().log().runtimeError("frmChMem->vsfgGridCh_AfterEdit:", cps::errorNumberOf(e),
                               sourceOf(e));
        clamped = false;
    }
    });
    if (col == 1 || col == 2)
        showClampNotice(clamped ? text : QString(), row, col);
}

// "146.52 is outside 400–470 MHz: 400.00000 stored; Ctrl+Z takes it back" for
// a typed frequency the band clamped; an empty `typed` takes an earlier such
// notice away, so it never stands beside a later entry that was kept as typed.
void frmChMem::showClampNotice(const QString &typed, int row, int col) {
    if (typed.isEmpty()) {
        showEntryNotice({});
        return;
    }
    const auto mhz = [](int32_t v) { return QString::number(v / 100000.0, 'g', 10); };
    showEntryNotice(
        faceText(520).arg(typed.trimmed(), mhz(c().bandLow), mhz(c().bandHigh),
                          chmem::formatMHz(field(row, col == 1 ? cps::field::Rx : cps::field::Tx))));
}

// What an entry did beyond storing what was typed (a clamped frequency, a tone
// that is not a standard one) stays in the status bar until the next entry.
void frmChMem::showEntryNotice(const QString &notice) {
    if (notice.isEmpty()) {
        if (!clampNotice_.isEmpty() && main_->panel(1) == clampNotice_)
            main_->setPanel(1, faceText(94));
        clampNotice_.clear();
        return;
    }
    clampNotice_ = notice;
    main_->setPanel(1, clampNotice_);
}

void frmChMem::showRow(int n) {
    if (!channelInUse(n)) {
        clearChannelRow(n);
        return;
    }
    ChParaShow(n);
    RxFreShow(n);
    TxFreShow(n);
    CtdcsDecShow(n);
    CtdcsEncShow(n);
}

// --- clicks

void frmChMem::resetRowHighlight() {
    for (int r = 1; r <= vsfgGridCh->rowCount(); ++r)
        for (int col = 1; col < vsfgGridCh->columnCount(); ++col)
            if (auto *it = grid()->cell(r, col))
                it->setBackground(QBrush());
}

void frmChMem::highlightRow(int row) {
    for (int col = 1; col < vsfgGridCh->columnCount(); ++col)
        if (auto *it = grid()->cell(row, col))
            it->setBackground(kRowHighlight);
    QPalette pal = cboGridChCtdcs->palette();
    pal.setColor(QPalette::Base, kRowHighlight);
    cboGridChCtdcs->setPalette(pal);
}

void frmChMem::vsfgGridCh_Click(int row, int col) {
    cps::guarded(c().log(), "frmChMem->vsfgGridCh_Click", [&] {
        resetRowHighlight();
        QPalette pal = vsfgGridCh->palette();
        pal.setColor(QPalette::Active, QPalette::Highlight, kSelectedCell);
        pal.setColor(QPalette::Inactive, QPalette::Highlight, kSelectedCell);
        vsfgGridCh->setPalette(pal);
        if (locked() || row < 1 || col < 1) {
            ctdcsRow = ctdcsCol = 0;
            return;
        }
        if (ctdcsRow != 0) {
            commitCtdcsBox();
            grid()->selectCell(row, col);
        }
        ctdcsRow = ctdcsCol = 0;
        highlightRow(row);
        hideCtdcsBox();
        if (!channelInUse(row)) {
            grid()->startEdit(row, 1);
        } else if (col == 3) {
            openCtdcsBox(row, 3);
        } else if (col == 4) {
            if (field(row, cps::field::Tx) != -1)
                openCtdcsBox(row, 4);
            else
                grid()->selectCell(row, 4);
        } else {
            grid()->startEdit(row, col);
        }
    });
}

void frmChMem::vsfgGridCh_DblClick(int row, int col) {
    if (locked() || row < 1 || col < 1)
        return;
    command(stepLabel(row, col, 1), [&] {
    cps::guarded(c().log(), "frmChMem->vsfgGridCh_DblClick", [&] {
        if (locked() || row < 1 || col < 1 || !channelInUse(row) || col == 1)
            return;
        grid()->cancelEdit(); // the click before it opened an editor; the double click wins
        field(row, cps::field::Edited) = 1;
        const bool hasTx = field(row, cps::field::Tx) != -1;
        const auto showInBox = [&](int boxCol, const QString &text) {
            if (ctdcsRow == row && ctdcsCol == boxCol)
                cboGridChCtdcs->setEditText(text);
        };
        if (col == 2) {
            if (field(row, cps::field::Tx) < 100) {
                field(row, cps::field::Tx) = field(row, cps::field::Rx);
                grid()->setText(row, 2, grid()->text(row, 1));
                grid()->setTextColor(row, 2, bandColor(field(row, cps::field::Tx)));
                grid()->setText(row, 4, grid()->text(row, 3));
                encText(row) = grid()->text(row, 4).toStdString();
            }
        } else if (col == 3) {
            if (hasTx) {
                grid()->setText(row, 3, grid()->text(row, 4));
                decText(row) = grid()->text(row, 3).toStdString();
                showInBox(3, grid()->text(row, 3));
            }
        } else if (col == 4) {
            if (hasTx) {
                grid()->setText(row, 4, grid()->text(row, 3));
                encText(row) = grid()->text(row, 4).toStdString();
                showInBox(4, grid()->text(row, 4));
            }
        } else if (col != kNameColumn && field(row, col) != -1) {
            int32_t &choice = field(row, col);
            if (row == 100 && col == 10) {
                choice = 0;
            } else {
                const int count = cps::toInt16(c().cols.item(col, 1));
                choice = choice >= count - 1 ? 0 : choice + 1;
            }
            grid()->setText(row, col, QString::fromStdString(c().cols.item(col, 3 + choice)));
        }
    });
    });
}

// --- the signalling box

void frmChMem::openCtdcsBox(int row, int col) {
    const QRect cell = grid()->cellRect(row, col);
    cboGridChCtdcs->setGeometry(cell.left(), cell.top(), cell.width(), cell.height());
    const std::string &text = col == 3 ? decText(row) : encText(row);
    cboGridChCtdcs->setEditText(QString::fromStdString(text));
    ctdcsRow = row;
    ctdcsCol = col;
    ctdcsBulkRows_ = bulkRows(row, col);
    cboGridChCtdcs->show();
    cboGridChCtdcs->raise();
    cboGridChCtdcs->setFocus(Qt::MouseFocusReason);
}

// A key typed on a decode or encode cell opens the signalling box with that
// key as the start of the entry, as a click opens it with the stored text.
bool frmChMem::typedOnCtdcsCell(int row, int col, const QString &text) {
    if ((col != 3 && col != 4) || locked() || !channelInUse(row))
        return false;
    if (col == 4 && field(row, cps::field::Tx) == -1)
        return true; // a receive-only channel has no encode entry
    resetRowHighlight();
    highlightRow(row);
    ctdcsTyped_ = text;
    openCtdcsBox(row, col);
    if (!ctdcsTyped_.isEmpty()) { // the focus arrives later (window not active)
        cboGridChCtdcs->setEditText(ctdcsTyped_);
    }
    return true;
}

void frmChMem::cboGridChCtdcs_GotFocus() {
    cps::guarded(c().log(), "frmChMem->cboGridChCtdcs_GotFocus", [&] {
        if (ctdcsCol != 3 && ctdcsCol != 4)
            return;
        if (!ctdcsTyped_.isEmpty()) {
            cboGridChCtdcs->setEditText(ctdcsTyped_);
            cboGridChCtdcs->lineEdit()->deselect();
            cboGridChCtdcs->lineEdit()->end(false);
            ctdcsTyped_.clear();
        } else {
            const std::string &text = ctdcsCol == 3 ? decText(ctdcsRow) : encText(ctdcsRow);
            cboGridChCtdcs->setEditText(QString::fromStdString(text));
            cboGridChCtdcs->lineEdit()->selectAll();
        }
        highlightRow(ctdcsRow);
    });
}

// Whether the keyboard went from the signalling box into its own list: the
// entry goes on there (the list's window takes the focus with a reason of
// its own, not always the pop-up's).
bool frmChMem::intoCtdcsList() const {
    const QWidget *focus = QApplication::focusWidget();
    return focus && focus->window() == cboGridChCtdcs->view()->window();
}

void frmChMem::cboGridChCtdcs_LostFocus(Qt::FocusReason reason) {
    commitCtdcsBox();
    // The box never stays open without the keyboard, or the keys would go to
    // the grid while the box still shows an entry; only a switch to another
    // application leaves it, to find it again on return.
    if (reason != Qt::ActiveWindowFocusReason)
        hideCtdcsBox();
}

// A key that ends the signalling entry (SignallingBox). Escape drops what was
// typed; the others commit it. The box closes and the grid takes the keyboard
// back and the key with it, so Up and Down move to the row above or below and
// Tab to the next cell, as they do in the grid; Enter stays on the cell.
void frmChMem::endCtdcsEntry(const QKeyEvent &key) {
    if (key.key() != Qt::Key_Escape)
        commitCtdcsBox();
    hideCtdcsBox();
    const bool staysOnCell =
        key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Escape;
    if (!staysOnCell) {
        QKeyEvent moved(QEvent::KeyPress, key.key(), key.modifiers(), key.text());
        QCoreApplication::sendEvent(vsfgGridCh, &moved);
    }
}

void frmChMem::commitCtdcsBox() {
    if (ctdcsCol != 3 && ctdcsCol != 4)
        return;
    const std::size_t rows = std::max<std::size_t>(ctdcsBulkRows_.size(), 1);
    command(stepLabel(ctdcsRow, ctdcsCol, rows), [&] {
    cps::guarded(c().log(), "frmChMem->cboGridChCtdcs_LostFocus", [&] {
        if (ctdcsCol != 3 && ctdcsCol != 4)
            return;
        const int row = ctdcsRow;
        const std::string typed = cboGridChCtdcs->lineEdit()->text().toStdString();
        cps::enterSignalling(c(), row, ctdcsCol, typed);
        showRow(row);
        showEntryNotice(toneNotice(row, ctdcsCol)); // "88.0 is not a standard tone; ... 88.5"
        // An entry in one cell of a multi-row selection goes to every channel of it.
        for (int r : ctdcsBulkRows_)
            if (r != row && channelInUse(r) &&
                (ctdcsCol == 3 || field(r, cps::field::Tx) != -1)) {
                cps::enterSignalling(c(), r, ctdcsCol, typed);
                showRow(r);
            }
        if (!channelInUse(row))
            grid()->selectCell(row, 1);
        const std::string &shown = ctdcsCol == 3 ? decText(row) : encText(row);
        cboGridChCtdcs->setEditText(QString::fromStdString(shown));
        if (grid()->col() != 3 && grid()->col() != 4)
            hideCtdcsBox();
    });
    });
}

// --- the pop-up menu

void frmChMem::vsfgGridCh_MouseDown(Qt::MouseButton button, int row, int col) {
    cps::guarded(c().log(), "frmChMem->vsfgGridCh_MouseDown", [&] {
        if (button == Qt::RightButton && row >= 1 && col >= 1)
            showPopup(row, QCursor::pos());
    });
}

void frmChMem::showPopup(int row, const QPoint &globalPos) {
    main_->setCurrentChannel(row);
    const auto text = [&](int n) { return QString::fromStdString(c().text(n)); };
    const auto set = [&](const char *name, const QString &caption, bool enabled) {
        if (QAction *a = main_->action(QString::fromLatin1(name))) {
            a->setText(caption);
            a->setEnabled(enabled);
        }
    };
    // The channel-lock item of the main menu is always present, so the pop-up
    // offers the lock too and mirrors its check mark.
    const QAction *mainLock = main_->action(QStringLiteral("mnuChLock"));
    const bool lockMarked = mainLock && mainLock->isChecked();
    const QString number = QString::number(row);
    set("mnuOpenCh", text(114) + QLatin1Char(' ') + number, false);
    set("mnuSaveDef", text(113), false);
    set("mnuDelOne", text(110) + QLatin1Char(' ') + number, channelInUse(row) && !lockMarked);
    set("mnuDelAll", text(112), !lockMarked);
    if (QAction *sep = main_->action(QStringLiteral("sepPopChLock")))
        sep->setVisible(true);
    if (QAction *popLock = main_->action(QStringLiteral("mnuPopChLock"))) {
        popLock->setText(text(47));
        popLock->setVisible(true);
        popLock->setEnabled(true);
        popLock->setCheckable(true);
        popLock->setChecked(lockMarked);
    }
    if (QMenu *menu = main_->popupMenu())
        menu->popup(globalPos);
}
