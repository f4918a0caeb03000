#pragma once
// Standard output as brenvik-cli writes it: a buffer that remembers why a
// write failed (a full disk, a closed pipe), so the exit status and the
// message can say so.
#include <streambuf>
#include <vector>

namespace cli {

class StdoutBuffer : public std::streambuf {
  public:
    StdoutBuffer();
    ~StdoutBuffer() override;
    // The errno of the first failed write; 0 while every write succeeded.
    int error() const { return error_; }

  protected:
    int_type overflow(int_type ch) override;
    int sync() override;

  private:
    bool drain();

    int error_ = 0;
    std::vector<char> buffer_;
};

} // namespace cli
