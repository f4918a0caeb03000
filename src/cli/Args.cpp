#include "cli/Args.h"
#include "core/MessageText.h"

#include <QCommandLineParser>
#include <QStringList>
#include <charconv>

namespace cli {

using cps::filled;
using cps::shownText;
using cps::translated;

namespace {

// Every option that takes a value in any command: lets the command word be
// found behind options given before it ("--lang 3 show plan.dat").
bool takesValueSomewhere(const std::string &word) {
    for (const auto &cmdSpec : commandSpecs())
        for (const auto &o : cmdSpec.options)
            if (o.name == word && !o.valueName.empty())
                return true;
    return false;
}

QString bare(const std::string &name) {
    return QString::fromStdString(name.substr(name.find_first_not_of('-')));
}

std::string plainMessage(QString text) {
    // Qt's messages end with a full stop; ours are one line without one.
    if (text.endsWith(QLatin1Char('.')) || text.endsWith(QChar(0x3002)))
        text.chop(1);
    return text.toStdString();
}

} // namespace

Args::Args(const std::vector<std::string> &words) {
    std::size_t commandAt = words.size();
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string &w = words[i];
        if (w == "--")
            break;
        if (w.size() > 1 && w[0] == '-') {
            if (takesValueSomewhere(w))
                ++i;
            continue;
        }
        commandAt = i;
        break;
    }
    std::vector<std::string> rest = words;
    if (commandAt < words.size()) {
        command_ = words[commandAt];
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(commandAt));
        spec_ = findCommand(command_);
        if (!spec_)
            throw UsageError(
                filled(translated("Usage", "unknown command '%1'"), {shownText(command_)}));
    }

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    std::vector<OptionSpec> known = spec_ ? spec_->options : commonOptions();
    known.push_back({"--version", "", ""});
    for (const auto &o : known) {
        QStringList names{bare(o.name)};
        if (o.name == "--help")
            names.prepend(QStringLiteral("h"));
        parser.addOption(o.valueName.empty()
                             ? QCommandLineOption(names)
                             : QCommandLineOption(names, {}, QString::fromStdString(o.valueName)));
    }

    QStringList argv{QStringLiteral("brenvik-cli")};
    for (const auto &w : rest)
        argv << QString::fromStdString(w);
    if (!parser.parse(argv)) {
        if (!parser.unknownOptionNames().isEmpty())
            throw UsageError(filled(translated("Usage", "unknown option '%1'"),
                                    {shownText(parser.unknownOptionNames().front().toStdString())}),
                             command_);
        throw UsageError(plainMessage(parser.errorText()), command_);
    }

    for (const auto &o : known) {
        const QString name = bare(o.name);
        if (!parser.isSet(name))
            continue;
        auto &list = options_[o.name];
        if (o.valueName.empty()) {
            list.emplace_back();
            continue;
        }
        for (const QString &v : parser.values(name))
            list.push_back(v.toStdString());
        if (list.size() > 1 && !o.repeatable)
            throw UsageError(filled(translated("Usage", "%1 may be given once"), {o.name}),
                             command_);
    }
    for (const QString &p : parser.positionalArguments())
        positionals_.push_back(p.toStdString());
    if (!spec_ && !positionals_.empty())
        throw UsageError(filled(translated("Usage", "unexpected argument '%1'"),
                                {shownText(positionals_.front())}));

    // The order of plain arguments and ports, for diff's two sides.
    for (std::size_t i = 0, plain = 0; i < rest.size(); ++i) {
        const std::string &w = rest[i];
        if (w == "--port" && i + 1 < rest.size()) {
            sequence_.emplace_back("--port", rest[++i]);
        } else if (w.rfind("--port=", 0) == 0) {
            sequence_.emplace_back("--port", w.substr(7));
        } else if (w.size() > 1 && w[0] == '-') {
            if (w.find('=') == std::string::npos && takesValueSomewhere(w))
                ++i;
        } else if (plain < positionals_.size()) {
            sequence_.emplace_back(std::string(), positionals_[plain++]);
        }
    }

    if (spec_ && !has("--help")) {
        if (positionals_.size() < spec_->minArgs)
            throw UsageError(translated("Usage", "missing argument"), command_);
        if (positionals_.size() > spec_->maxArgs)
            throw UsageError(filled(translated("Usage", "unexpected argument '%1'"),
                                    {shownText(positionals_[spec_->maxArgs])}),
                             command_);
    }
}

std::string Args::value(const std::string &name, const std::string &fallback) const {
    const auto it = options_.find(name);
    return it == options_.end() || it->second.empty() ? fallback : it->second.back();
}

std::vector<std::string> Args::values(const std::string &name) const {
    const auto it = options_.find(name);
    return it == options_.end() ? std::vector<std::string>{} : it->second;
}

int Args::intValue(const std::string &name, int low, int high, int fallback) const {
    if (!has(name))
        return fallback;
    const std::string text = value(name);
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high)
        throw UsageError(filled(translated("Usage", "%1 must be a number from %2 to %3"),
                                {name, std::to_string(low), std::to_string(high)}),
                         command_);
    return v;
}

} // namespace cli
