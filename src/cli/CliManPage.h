#pragma once
// brenvik-cli's manual page (roff, man macros), made from the command table:
// every command with its synopsis, options, exit statuses and examples, in the
// language whose help translation is installed.
#include <string>

namespace cli {

// `chinese`: the page is set with groff's Chinese line breaking.
std::string cliManPage(const std::string &version, bool chinese);

// `text` as roff: backslashes and dashes escaped, a leading dot or quote made
// harmless, so that no text of ours is read as a request.
std::string roffText(const std::string &text);

} // namespace cli
