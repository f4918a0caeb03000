#pragma once
// Processes: this one's id, whether another is still running, and ending
// together with the parent.
#include <string>

namespace platform {

long currentProcessId();

// The processor time this process has used so far, user and system, in seconds.
double processCpuSeconds();
// The processor time the calling thread has used so far, in seconds; -1 where
// the system does not count it per thread.
double threadCpuSeconds();

// System calls of this process so far that read, that write, and waits that
// put it to sleep (voluntary context switches); -1 where the system does not
// tell. Other calls (ioctl, a poll that finds input at once) are not counted.
struct ProcessCalls {
    long long reads = -1, writes = -1, sleeps = -1;
};
ProcessCalls processCalls();

// Whether process `pid` is running the program `name`. Where the system tells
// only that some process has the number (macOS), that is enough; where it
// cannot tell cheaply at all, the answer is yes.
bool processRunning(long pid, const std::string &name);

// Gives process `pid` a higher scheduling priority (nice -5), where this
// process may (root) and the system has priorities; false when it did not.
bool raisePriority(long pid);

// Asks the system to end this process when the one that started it ends, so a
// test or script that dies without stopping it takes it along. Where the
// system has no such request nothing happens.
void endWithParent();

} // namespace platform
