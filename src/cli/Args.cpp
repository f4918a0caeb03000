#include "cli/Args.h"

#include <algorithm>
#include <charconv>

namespace cli {

namespace {
bool contains(const std::vector<std::string> &list, const std::string &s) {
    return std::find(list.begin(), list.end(), s) != list.end();
}
} // namespace

Args::Args(const std::vector<std::string> &words, const std::vector<std::string> &valued,
           const std::vector<std::string> &flags) {
    bool onlyPositionals = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string &w = words[i];
        const bool looksLikeOption = !onlyPositionals && w.size() > 1 && w[0] == '-';
        if (!looksLikeOption) {
            if (command_.empty()) {
                command_ = w;
            } else {
                positionals_.push_back(w);
                sequence_.emplace_back(std::string(), w);
            }
            continue;
        }
        if (w == "--") {
            onlyPositionals = true;
            continue;
        }
        std::string name = w, inlineValue;
        bool hasInline = false;
        if (const auto eq = w.find('='); w.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = w.substr(0, eq);
            inlineValue = w.substr(eq + 1);
            hasInline = true;
        }
        if (contains(valued, name)) {
            if (!hasInline && i + 1 >= words.size())
                throw UsageError("option " + name + " needs a value");
            const std::string v = hasInline ? inlineValue : words[++i];
            options_[name].push_back(v);
            sequence_.emplace_back(name, v);
        } else if (contains(flags, name) && !hasInline) {
            options_[name].push_back({});
        } else {
            throw UsageError("unknown option " + w);
        }
    }
}

std::string Args::value(const std::string &name, const std::string &fallback) const {
    const auto it = options_.find(name);
    return it == options_.end() ? fallback : it->second.back();
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
        throw UsageError(name + " must be a number from " + std::to_string(low) + " to " +
                         std::to_string(high));
    return v;
}

void Args::expectPositionals(std::size_t low, std::size_t high) const {
    if (positionals_.size() < low)
        throw UsageError(command_ + ": missing argument");
    if (positionals_.size() > high)
        throw UsageError(command_ + ": unexpected argument " + positionals_[high]);
}

void Args::allowOnly(const std::vector<std::string> &allowed) const {
    for (const auto &[name, v] : options_)
        if (!contains(allowed, name))
            throw UsageError(command_ + " does not take " + name);
}

} // namespace cli
