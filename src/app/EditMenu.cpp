// The Edit menu of the main window (between File and Program): undo and redo
// of the plan, the clipboard, bulk edits and moving channels in the channel
// grid, and the `*` in the title while the plan has unsaved changes.
#include "app/mdifrmMain.h"
#include "app/QtText.h"
#include "editors/PlanHistory.h"
#include "editors/frmChMem.h"

#include <QAction>
#include <QMenu>
#include <QTableWidget>

namespace {
struct EditItem {
    const char *name;
    int text;
    std::vector<QKeySequence> keys;
    void (frmChMem::*command)();
};

const std::vector<EditItem> &editItems() {
    static const std::vector<EditItem> items = {
        {"mnuEditUndo", 441, {QKeySequence::Undo}, nullptr},
        {"mnuEditRedo", 442, {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, nullptr},
        {nullptr, 0, {}, nullptr},
        {"mnuEditCut", 443, {QKeySequence::Cut}, &frmChMem::cutSelection},
        {"mnuEditCopy", 444, {QKeySequence::Copy}, &frmChMem::copySelection},
        {"mnuEditPaste", 445, {QKeySequence::Paste}, &frmChMem::pasteClipboard},
        {"mnuEditDelete", 446, {QKeySequence(Qt::Key_Delete)}, &frmChMem::deleteSelection},
        {"mnuEditSelectAll", 447, {QKeySequence::SelectAll}, &frmChMem::selectAllCells},
        {nullptr, 0, {}, nullptr},
        {"mnuEditFillDown", 448, {QKeySequence(Qt::CTRL | Qt::Key_D)}, &frmChMem::fillDown},
        {"mnuEditFillSeries", 449, {}, &frmChMem::fillSeries},
        {nullptr, 0, {}, nullptr},
        {"mnuEditMoveUp", 450, {QKeySequence(Qt::ALT | Qt::Key_Up)}, &frmChMem::moveUp},
        {"mnuEditMoveDown", 451, {QKeySequence(Qt::ALT | Qt::Key_Down)}, &frmChMem::moveDown},
        {"mnuEditInsert", 452, {}, &frmChMem::insertEmptyChannel},
        {"mnuEditRemove", 453, {}, &frmChMem::removeChannel},
    };
    return items;
}
} // namespace

void mdifrmMain::buildEditMenu(QMenu *edit) {
    for (const auto &item : editItems()) {
        if (!item.name) {
            edit->addSeparator();
            continue;
        }
        auto *a = edit->addAction(QString::fromLatin1(item.name));
        a->setObjectName(QString::fromLatin1(item.name));
        a->setShortcuts(QList<QKeySequence>(item.keys.begin(), item.keys.end()));
        if (qstrcmp(item.name, "mnuEditUndo") == 0)
            undoAction_ = a;
        else if (qstrcmp(item.name, "mnuEditRedo") == 0)
            redoAction_ = a;
        const auto command = item.command;
        connect(a, &QAction::triggered, this, [this, command, name = item.name] {
            if (qstrcmp(name, "mnuEditUndo") == 0)
                history_->undo();
            else if (qstrcmp(name, "mnuEditRedo") == 0)
                history_->redo();
            else if (chMem_ && command)
                (chMem_->*command)();
        });
    }
    connect(edit, &QMenu::aboutToShow, this, &mdifrmMain::updateEditMenu);
}

void mdifrmMain::bindGridKeys() {
    // The grid's commands take their keys only while the grid has the focus;
    // in an option drop-down or a text box the keys are that widget's own
    // (its text's undo, select all, copy; the drop-down's Alt+Up). The menu
    // items act on the grid wherever the focus is.
    for (const auto &item : editItems())
        if (item.command) {
            QAction *a = action(QString::fromLatin1(item.name));
            a->setShortcutContext(Qt::WidgetShortcut);
            chMem_->vsfgGridCh->addAction(a);
        }
}

void mdifrmMain::setEditMenuTexts() {
    action("mnuEdit")->setText(QString::fromStdString(c_.text(440)));
    for (const auto &item : editItems())
        if (item.name)
            action(QString::fromLatin1(item.name))->setText(QString::fromStdString(c_.text(item.text)));
    updateEditMenu();
}

void mdifrmMain::updateEditMenu() {
    // Undo and redo name the step they take back or make again.
    undoAction_->setText(history_->undoText());
    undoAction_->setEnabled(history_->canUndo());
    redoAction_->setText(history_->redoText());
    redoAction_->setEnabled(history_->canRedo());
}

void mdifrmMain::showModified() {
    const QString title = QString::fromStdString(c_.text(16));
    setWindowTitle(history_->modified() ? title + QStringLiteral(" *") : title);
    updateEditMenu();
    // The outcome of a write stays in the status bar until the next change of the plan.
    for (int entry : {502, 503}) {
        const QString written = q(c_.text(entry)).section(QStringLiteral("%1"), 0, 0);
        if (!written.isEmpty() && panel(1).startsWith(written)) setPanel(1, q(c_.text(94)));
    }
}
