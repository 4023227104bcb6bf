// A piece of a test run in a child process of its own: under resource limits, in a private
// mount namespace, or to be killed half-way through something.
#pragma once

#include <QString>

#include <functional>
#include <sys/types.h>

class ForkedChild {
  public:
    // Runs `body` in a forked child, which exits with what it returns (0 for success).
    explicit ForkedChild(const std::function<int()>& body);
    // Kills a child still running.
    ~ForkedChild();
    ForkedChild(const ForkedChild&) = delete;
    ForkedChild& operator=(const ForkedChild&) = delete;

    // In the child: tells the parent that a point has been reached.
    static void mark();
    // In the parent: waits for the child's mark; false when it exited or took too long.
    bool waitForMark(int timeoutMs = 30000);
    void kill(int signal);
    // The child's exit code, 128 + the signal that ended it, or -1 after a minute.
    int wait();

  private:
    pid_t pid_ = -1;
    int markFd_ = -1;
};

// Runs `body` in a child process with its files limited to `bytes` (writes beyond report
// EFBIG; the signal is ignored); the child's exit code, as ForkedChild::wait.
int RunWithFileSizeLimit(qint64 bytes, const std::function<int()>& body);

// Runs `body` in a child process with a private mount namespace in which an empty tmpfs of
// `bytes` is mounted at `folder`; the machine's own mounts stay as they are. Returns the
// child's exit code, or -1 when the process may not mount (not root); see ForkedChild::wait.
int RunOnSmallTmpfs(const QString& folder, qint64 bytes, const std::function<int()>& body);

// Fills the file system of `folder` with a file until writing reports a full disk.
bool FillFileSystem(const QString& folder);
