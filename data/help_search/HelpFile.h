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

    struct Topic {
        // The object the topic shows ("/read.html"); empty for a topic that
        // is not a page of its own (an anchor, an outside link).
        std::string page;
        // Where its title starts in #STRINGS; kNoTitle for none.
        uint32_t titleAt;
    };
    static constexpr uint32_t kNoTitle = 0xFFFFFFFF;

    // The topics by number.
    std::vector<Topic> topics() const;

  private:
    chmFile *file_;
};
