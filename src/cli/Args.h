#pragma once
// Command-line words of brenvik-cli, parsed with QCommandLineParser against the
// command's entry in the command table: "-o OUT", "--port DEV" (repeatable),
// "--port=DEV", flags, and plain arguments ('-' is a plain argument).
#include "cli/CommandSpecs.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

// A usage error (exit status 2) with the text shown to the user. `command`
// names the command whose help the hint points to (empty: the general help).
struct UsageError : std::runtime_error {
    UsageError(const std::string &message, std::string commandName = {})
        : std::runtime_error(message), command(std::move(commandName)) {}
    std::string command;
};

class Args {
  public:
    // The command is the first word that is neither an option nor an option's
    // value; the rest is parsed with that command's options. Throws UsageError.
    explicit Args(const std::vector<std::string> &words);

    const std::string &command() const { return command_; }
    // The command's table entry; null when no command was given (--help, --version).
    const CommandSpec *cmdSpec() const { return spec_; }
    const std::vector<std::string> &positionals() const { return positionals_; }
    bool has(const std::string &name) const { return options_.count(name) != 0; }
    // The last value given for the option, or `fallback`.
    std::string value(const std::string &name, const std::string &fallback = {}) const;
    std::vector<std::string> values(const std::string &name) const;
    // The option's value as an integer in [low, high]; `fallback` when absent.
    int intValue(const std::string &name, int low, int high, int fallback) const;

    // Plain arguments and --port values in the order given: ("--port" or "", value).
    const std::vector<std::pair<std::string, std::string>> &sequence() const { return sequence_; }

  private:
    std::string command_;
    const CommandSpec *spec_ = nullptr;
    std::vector<std::string> positionals_;
    std::map<std::string, std::vector<std::string>> options_;
    std::vector<std::pair<std::string, std::string>> sequence_;
};

} // namespace cli
