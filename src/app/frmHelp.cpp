#include "app/frmHelp.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString readUtf8(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

std::vector<frmHelp::Topic> frmHelp::readContents(const QString &hhcPath) {
    // <OBJECT type="text/sitemap"><param name="Name" value="..."><param name="Local" value="...">
    static const QRegularExpression entry(
        QStringLiteral(
            R"re(<param\s+name="Name"\s+value="([^"]*)"\s*>\s*<param\s+name="Local"\s+value="([^"]*)")re"),
        QRegularExpression::CaseInsensitiveOption);
    std::vector<Topic> topics;
    const QString text = readUtf8(hhcPath);
    for (auto it = entry.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        topics.push_back({m.captured(1), m.captured(2)});
    }
    return topics;
}

frmHelp::frmHelp(const QString &folder, const Texts &texts, QWidget *parent)
    : QDialog(parent), folder_(folder), texts_(texts) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(texts.title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    topics_ = readContents(QDir(folder).filePath(QStringLiteral("help.hhc")));
    if (topics_.empty()) // no contents file: every page, by file name
        for (const QString &f : QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files))
            topics_.push_back({f, f});
    for (const Topic &t : topics_) {
        QTextDocument doc;
        doc.setHtml(readUtf8(QDir(folder).filePath(t.file)));
        pageText_.push_back(doc.toPlainText());
    }

    contentsList = new QListWidget;
    contentsList->setObjectName(QStringLiteral("contentsList"));
    for (const Topic &t : topics_)
        contentsList->addItem(t.title);
    searchField = new QLineEdit;
    searchField->setObjectName(QStringLiteral("searchField"));
    searchField->setClearButtonEnabled(true);
    resultList = new QListWidget;
    resultList->setObjectName(QStringLiteral("resultList"));
    auto *searchPage = new QWidget;
    auto *searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(4, 4, 4, 4);
    searchLayout->addWidget(searchField);
    searchLayout->addWidget(resultList);
    tabs = new QTabWidget;
    tabs->addTab(contentsList, texts.contents);
    tabs->addTab(searchPage, texts.search);

    browser = new QTextBrowser;
    browser->setObjectName(QStringLiteral("browser"));
    browser->setSearchPaths({folder});
    browser->setOpenExternalLinks(true);

    auto *split = new QSplitter;
    split->addWidget(tabs);
    split->addWidget(browser);
    split->setStretchFactor(1, 1);
    split->setSizes({220, 680});
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(split);
    resize(960, 640);

    connect(contentsList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(topics_.size()))
            showTopic(topics_[row].file);
    });
    connect(searchField, &QLineEdit::returnPressed, this, &frmHelp::runSearch);
    connect(searchField, &QLineEdit::textChanged, this, &frmHelp::runSearch);
    connect(resultList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || row >= static_cast<int>(resultTopics_.size()))
            return;
        showTopic(topics_[static_cast<std::size_t>(resultTopics_[row])].file);
        const QString first = searchField->text().simplified().section(QLatin1Char(' '), 0, 0);
        if (!first.isEmpty())
            browser->find(first); // select the first hit on the page
    });
    if (!topics_.empty())
        contentsList->setCurrentRow(0);
}

QStringList frmHelp::search(const QString &query) const {
    const QStringList words = query.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList titles;
    if (words.isEmpty())
        return titles;
    for (std::size_t i = 0; i < topics_.size(); ++i) {
        const QString haystack = topics_[i].title + QLatin1Char('\n') + pageText_[i];
        bool all = true;
        for (const QString &w : words)
            all = all && haystack.contains(w, Qt::CaseInsensitive);
        if (all)
            titles << topics_[i].title;
    }
    return titles;
}

void frmHelp::runSearch() {
    resultList->blockSignals(true);
    resultList->clear();
    resultTopics_.clear();
    const QStringList titles = search(searchField->text());
    for (std::size_t i = 0; i < topics_.size(); ++i)
        if (titles.contains(topics_[i].title)) {
            resultList->addItem(topics_[i].title);
            resultTopics_.push_back(static_cast<int>(i));
        }
    if (titles.isEmpty() && !searchField->text().trimmed().isEmpty()) {
        auto *none = new QListWidgetItem(texts_.nothingFound, resultList);
        none->setFlags(Qt::NoItemFlags);
    }
    resultList->blockSignals(false);
}

void frmHelp::showTopic(const QString &file) {
    browser->setSource(QUrl::fromLocalFile(QDir(folder_).filePath(file)));
}
