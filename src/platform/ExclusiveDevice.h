#pragma once
// A serial device held open in exclusive mode, as some terminal programs hold
// theirs: while it is held, no other program can open the device (on Linux
// root still can). The tests use it to stand for such a program.
#include <string>

namespace platform {

class ExclusiveDeviceHold {
  public:
    explicit ExclusiveDeviceHold(const std::string &device);
    ~ExclusiveDeviceHold();
    ExclusiveDeviceHold(const ExclusiveDeviceHold &) = delete;
    ExclusiveDeviceHold &operator=(const ExclusiveDeviceHold &) = delete;

    // False when the device could not be opened, or the system has no
    // exclusive mode.
    bool held() const { return held_; }

  private:
    int descriptor_ = -1;
    bool held_ = false;
};

} // namespace platform
