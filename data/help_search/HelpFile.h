// Reading a compiled help file (.chm) through chmlib: its objects, its
// language and the pages its topics show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

class HelpFile {
  public:
    explicit HelpFile(const std::string &path); // throws std::runtime_error
    ~HelpFile();
    HelpFile(const HelpFile &) = delete;
    HelpFile &operator=(const HelpFile &) = delete;

    // The object's bytes, or nothing when the file has no such object.
    std::optional<std::string> object(const std::string &name) const;

    // The language the help was compiled for (#SYSTEM), e.g. 0x804.
    uint32_t language() const;

    // The object each topic shows ("/read.html"), by topic number: empty for
    // a topic that is not a page of its own (an anchor, an outside link).
    std::vector<std::string> topicPages() const;

  private:
    chmFile *file_;
};
