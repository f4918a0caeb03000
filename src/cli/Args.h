#pragma once
// Command-line words of brenvik-cli: the command, its positional arguments and
// its options ("-o OUT", "--port DEV" repeatable, "--port=DEV", flags).
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

// A usage error (exit status 2) with the text shown to the user.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Args {
  public:
    // Splits `words` (without the program name). Options in `valued` take a
    // value; `flags` take none; anything else starting with '-' is a usage error.
    Args(const std::vector<std::string> &words, const std::vector<std::string> &valued,
         const std::vector<std::string> &flags);

    const std::string &command() const { return command_; }
    const std::vector<std::string> &positionals() const { return positionals_; }
    bool has(const std::string &name) const { return options_.count(name) != 0; }
    // The last value given for the option, or `fallback`.
    std::string value(const std::string &name, const std::string &fallback = {}) const;
    std::vector<std::string> values(const std::string &name) const;
    // The option's value as an integer in [low, high]; `fallback` when absent.
    int intValue(const std::string &name, int low, int high, int fallback) const;

    // Positionals and options in the order given: (option name or "", value).
    const std::vector<std::pair<std::string, std::string>> &sequence() const { return sequence_; }

    // Fails unless the positionals number between `low` and `high`.
    void expectPositionals(std::size_t low, std::size_t high) const;
    // Fails unless every given option is one of `allowed`.
    void allowOnly(const std::vector<std::string> &allowed) const;

  private:
    std::string command_;
    std::vector<std::string> positionals_;
    std::map<std::string, std::vector<std::string>> options_;
    std::vector<std::pair<std::string, std::string>> sequence_;
};

} // namespace cli
