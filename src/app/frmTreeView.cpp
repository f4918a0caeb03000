#include "app/frmTreeView.h"

#include "app/mdifrmMain.h"
#include "core/Cps.h"
#include "core/Failure.h"
#include "core/Options.h"

#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kIndentation = 300 / 15; // 300 twips at 96 dpi

// The tree's branches as tree lines with plus/minus boxes (the classic
// look), everything else in the application's own style.
class BranchLineStyle : public QProxyStyle {
  public:
    BranchLineStyle() : lines_(QStyleFactory::create(QStringLiteral("Windows"))) {
        if (lines_)
            lines_->setParent(this);
    }
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override {
        if (element == PE_IndicatorBranch && lines_)
            lines_->drawPrimitive(element, option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

  private:
    QPointer<QStyle> lines_;
};

} // namespace

frmTreeView::frmTreeView(mdifrmMain *main) : QDockWidget(main), main_(main), c_(main->cps()) {
    setObjectName(QStringLiteral("frmTreeView"));
    treevMain = new QTreeWidget(this);
    treevMain->setObjectName(QStringLiteral("treevMain"));
    setWidget(treevMain);
    connect(treevMain, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { treevMain_NodeClick(item); });
    connect(this, &QDockWidget::topLevelChanged, this, &frmTreeView::ITDockMoveEvents_Move);
    connect(this, &QDockWidget::dockLocationChanged, this,
            &frmTreeView::ITDockMoveEvents_DockChange);
    Form_Load();
}

void frmTreeView::Form_Load() {
    cps::guarded(c_.log(), "frmTreeView->Form_Load:", [&] {
        // The pane reloads the option count and defaults from the settings file.
        // The selections stay as they are: they may hold the user's choices or
        // an opened plan's options, which the next conversion must write.
        const auto selections = c_.opt.sel;
        cps::OptNowDefSol(c_, 0);
        c_.opt.sel = selections;
        InitRadioSet();
    });
}

void frmTreeView::InitRadioSet() {
    cps::guarded(c_.log(), "frmTreeView->InitRadioSet:", [&] { InitRadioSetTreeView(); });
}

void frmTreeView::InitRadioSetTreeView() {
    cps::guarded(c_.log(), "frmTreeView->InitRadioSetTreeView:", [&] {
        treevMain->clear();
        treevMain->setHeaderHidden(true);
        treevMain->setColumnCount(1);
        treevMain->setRootIsDecorated(true); // lines and plus/minus boxes from the root
        if (!dynamic_cast<BranchLineStyle *>(treevMain->style())) {
            auto *style = new BranchLineStyle;
            style->setParent(treevMain);
            treevMain->setStyle(style);
        }
        treevMain->setFrameShape(QFrame::StyledPanel);
        treevMain->setFrameShadow(QFrame::Sunken);
        treevMain->setIndentation(kIndentation);

        auto *root = new QTreeWidgetItem(treevMain, {QString::fromStdString(c_.text(300))});
        root->setData(0, kKeyRole, QStringLiteral("Radio"));
        const struct {
            const char *key;
            int text;
        } children[] = {{"RadioInfo", 301}, {"ChInfo", 302}, {"SysSet", 303}};
        for (const auto &child : children) {
            auto *item = new QTreeWidgetItem(root, {QString::fromStdString(c_.text(child.text))});
            item->setData(0, kKeyRole, QString::fromLatin1(child.key));
        }
        root->setExpanded(true);
    });
}

QString frmTreeView::keyOf(const QTreeWidgetItem *node) {
    return node ? node->data(0, kKeyRole).toString() : QString();
}

QTreeWidgetItem *frmTreeView::node(const QString &key) const {
    for (QTreeWidgetItemIterator it(treevMain); *it; ++it)
        if (keyOf(*it) == key)
            return *it;
    return nullptr;
}

void frmTreeView::treevMain_NodeClick(QTreeWidgetItem *node) {
    cps::guarded(c_.log(), "frmTreeView->treevMain_NodeClick:", [&] {
        treevMain->setFocus();
        const QString key = keyOf(node);
        if (key == QLatin1String("RadioInfo"))
            main_->showRadioInfo();
        else if (key == QLatin1String("ChInfo"))
            main_->showChMem();
        else if (key == QLatin1String("SysSet"))
            main_->showSysSet();
    });
}

void frmTreeView::ITDockMoveEvents_Move() {
    // The dock lays the tree over its whole area wherever it floats or docks;
    // after a failure the channel editor comes to the front.
    if (!cps::guarded(c_.log(), "frmTreeView->ITDockMoveEvents_Move",
                      [&] { treevMain->updateGeometry(); }))
        main_->showChMem();
}

void frmTreeView::ITDockMoveEvents_DockChange() {
    if (!cps::guarded(c_.log(), "frmTreeView->ITDockMoveEvents_DockChange",
                      [&] { treevMain->updateGeometry(); }))
        main_->showChMem();
}
