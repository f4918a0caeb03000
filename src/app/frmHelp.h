#pragma once
// The help of the interface language in a window of our own, for machines
// where nothing opens compiled help: the HTML pages of help/<lang>/ with their
// contents (from the contents file help.hhc) and a search over every page's
// text. Chinese words are found as they are typed, without word breaks.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <vector>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

class frmHelp : public QDialog {
    Q_OBJECT
  public:
    struct Topic {
        QString title, file; // file relative to the help folder
    };
    struct Texts {
        QString title, contents, search, nothingFound;
    };

    // `folder` holds index.html, the other pages and help.hhc.
    frmHelp(const QString &folder, const Texts &texts, QWidget *parent = nullptr);

    // The topics of a contents file, in order.
    static std::vector<Topic> readContents(const QString &hhcPath);
    // Titles of the topics whose text holds every word of `query` (any case).
    QStringList search(const QString &query) const;
    void showTopic(const QString &file);

    QTextBrowser *browser = nullptr;
    QListWidget *contentsList = nullptr, *resultList = nullptr;
    QLineEdit *searchField = nullptr;
    QTabWidget *tabs = nullptr;

  private:
    void runSearch();

    QString folder_;
    Texts texts_;
    std::vector<Topic> topics_;
    std::vector<QString> pageText_; // plain text of each topic, for the search
    std::vector<int> resultTopics_;
};
