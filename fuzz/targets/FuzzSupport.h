#pragma once
// Shared pieces of the fuzz targets: a cursor that cuts the fuzz bytes into
// fields, the check that reports a broken invariant, and a private program
// folder with a ready shared state. Header only: every target is compiled both
// into its libFuzzer executable and into the corpus regression tests.
#include "core/Cps.h"
#include "core/Session.h"
#include "platform/Process.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef BRENVIK_SOURCE_DIR
#error "BRENVIK_SOURCE_DIR must name the source tree (delivered settings file)"
#endif
#ifndef BRENVIK_PROGRAM_DIR
#error "BRENVIK_PROGRAM_DIR must name the built program folder (default image)"
#endif

namespace fuzz {

// A property every input must keep, found broken. Thrown out of the target, so
// libFuzzer stops on it (with the stack of the check) and a test reports it.
struct InvariantBroken : std::logic_error {
    using std::logic_error::logic_error;
};

// Plain text messages cost nothing until a check fails (some run once per image byte).
inline void require(bool ok, const char *what) {
    if (ok)
        return;
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    throw InvariantBroken(what);
}

inline void require(bool ok, const std::string &what) {
    require(ok, what.c_str());
}

// Reads fields off the front of the fuzz bytes; past the end every field is empty.
class Cursor {
  public:
    Cursor(const uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // A field of at most `maxLength` bytes whose length is the next byte.
    std::string text(std::size_t maxLength = 255) {
        std::size_t n = std::min<std::size_t>(byte(), maxLength);
        n = std::min(n, size_ - pos_);
        std::string s(reinterpret_cast<const char *>(data_ + pos_), n);
        pos_ += n;
        return s;
    }
    std::string rest() {
        std::string s(reinterpret_cast<const char *>(data_ + pos_), size_ - pos_);
        pos_ = size_;
        return s;
    }
    std::vector<uint8_t> restBytes() {
        std::vector<uint8_t> v(data_ + pos_, data_ + size_);
        pos_ = size_;
        return v;
    }
    bool atEnd() const { return pos_ >= size_; }

  private:
    const uint8_t *data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

inline void writeFile(const std::filesystem::path &path, const std::string &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readFile(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A scratch folder of this process holding copies of the installed settings
// file and default image. The targets write their inputs here and never touch
// the build's program folder. Removed when the process ends normally.
class Scratch {
  public:
    static Scratch &get() {
        static Scratch scratch;
        return scratch;
    }
    const std::filesystem::path &dir() const { return dir_; }
    std::filesystem::path file(const std::string &name) const { return dir_ / name; }
    // A program folder whose settings file holds `settings` and whose default
    // image is the installed one.
    const std::filesystem::path &programWithSettings(const std::string &settings) {
        writeFile(fuzzProgram_ / "selvarn.exe", settings);
        return fuzzProgram_;
    }
    const std::filesystem::path &installedProgram() const { return installed_; }

  private:
    Scratch() {
        namespace fs = std::filesystem;
        dir_ = fs::temp_directory_path() / ("brenvik-fuzz-" + std::to_string(platform::currentProcessId()));
        installed_ = dir_ / "installed";
        fuzzProgram_ = dir_ / "program";
        for (const auto &folder : {installed_, fuzzProgram_}) {
            fs::create_directories(folder / "Data");
            fs::copy_file(fs::path(BRENVIK_SOURCE_DIR) / "data" / "selvarn.ini",
                          folder / "selvarn.exe", fs::copy_options::overwrite_existing);
            fs::copy_file(fs::path(BRENVIK_PROGRAM_DIR) / "dhcpqec.exe", folder / "dhcpqec.exe",
                          fs::copy_options::overwrite_existing);
        }
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::filesystem::path dir_, installed_, fuzzProgram_;
};

// The shared state as start-up leaves it (English texts, default band, new
// plan), loaded once from the installed settings; each input takes a copy.
inline const cps::Cps &readySession() {
    static cps::CollectingSink sink;
    static const cps::Cps session = [] {
        cps::Cps c;
        c.sink = &sink;
        const bool usable = cps::loadSession(
            c, cps::portableLocations(Scratch::get().installedProgram().string()), 3);
        require(usable, "the installed program folder gives a usable session");
        c.sink = nullptr;
        return c;
    }();
    return session;
}

} // namespace fuzz
