#pragma once
// Scripted answers for message boxes and file dialogs in widget tests.
#include "editors/Dialogs.h"

#include <QStringList>
#include <deque>
#include <optional>

namespace testsupport {

// Answers message boxes and file dialogs from queues; records what was asked.
class ScriptedDialogs : public cps::Dialogs {
public:
    // Default: go on (Yes, or Discard where Save / Discard / Cancel is asked), else Ok.
    std::deque<QMessageBox::StandardButton> answers;
    std::deque<QString> files;                       // default: cancelled
    QStringList asked;                               // message texts in order
    QMessageBox::StandardButton message(QWidget *, const QString &text, const QString &,
                                        QMessageBox::Icon, QMessageBox::StandardButtons buttons) override {
        asked << text;
        if (!answers.empty()) {
            auto a = answers.front();
            answers.pop_front();
            return a;
        }
        if (buttons.testFlag(QMessageBox::Yes)) return QMessageBox::Yes;
        return buttons.testFlag(QMessageBox::Discard) ? QMessageBox::Discard : QMessageBox::Ok;
    }
    QString openFile(QWidget *, const QString &, const QString &) override { return next(); }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override {
        return next();
    }
    std::deque<QString> filters; // the filter picked in a save dialog; default: the one offered
    QString saveFileChoosing(QWidget *, const QString &, const QStringList &, const QString &,
                             QString &chosen) override {
        if (!filters.empty()) {
            chosen = filters.front();
            filters.pop_front();
        }
        return next();
    }
    // Lines of text to enter (nullopt: cancel); default: take what is offered.
    std::deque<std::optional<QString>> texts;
    QStringList askedTexts; // the labels asked, with the value offered: "label|value"
    bool askText(QWidget *, const QString &, const QString &label, QString &value) override {
        askedTexts << label + '|' + value;
        if (texts.empty()) return true;
        const auto t = texts.front();
        texts.pop_front();
        if (t) value = *t;
        return t.has_value();
    }
    ScriptedDialogs() { cps::setDialogs(this); }
    ~ScriptedDialogs() override { cps::setDialogs(nullptr); }

private:
    QString next() {
        if (files.empty()) return {};
        auto f = files.front();
        files.pop_front();
        return f;
    }
};

} // namespace testsupport
