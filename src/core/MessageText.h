#pragma once
// The command line's own messages in the user's language, and the safe way to
// show text that came from a file or from the user inside such a message.
//
// A message is written in English in the code and looked up in the loaded
// translations (Qt's .qm files) by its context and English text; without a
// translation the English text is used. Placeholders %1..%9 are filled by
// `filled`, so a translation may put them in any order.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace cps {

// The translation of `source` under `context`, or `source` itself.
std::string translated(const char *context, const char *source);

// `pattern` with %1..%9 replaced by `args` in turn; a placeholder without an
// argument stays as it is.
std::string filled(std::string_view pattern, std::initializer_list<std::string> args);

// Text from a file or the command line made safe to echo on a terminal:
// control characters (C0, DEL, C1) and bytes that are not UTF-8 become \xNN
// (C1 as \u0080..\u009f), and more than `maxChars` characters are cut with
// an ellipsis. A cell holding ESC ] 0 ; ... BEL cannot retitle the terminal and
// a NUL cannot end the line.
constexpr std::size_t kShownChars = 60;
std::string shownText(std::string_view text, std::size_t maxChars = kShownChars);
// The same without the length limit, for file and device names.
std::string shownName(std::string_view name);

} // namespace cps
