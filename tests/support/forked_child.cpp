#include "support/forked_child.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kCannotMount = 125;
int gMarkFd = -1; // in the child: the pipe to the parent

} // namespace

ForkedChild::ForkedChild(const std::function<int()>& body) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(fds[0]);
        gMarkFd = fds[1];
        int rc = 1;
        try {
            rc = body();
        } catch (...) {
            rc = 1;
        }
        // No exit handlers or destructors of the parent's objects in the child.
        ::_exit(rc);
    }
    ::close(fds[1]);
    markFd_ = fds[0];
}

ForkedChild::~ForkedChild() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (markFd_ >= 0) ::close(markFd_);
}

void ForkedChild::mark() {
    if (gMarkFd >= 0 && ::write(gMarkFd, "m", 1) != 1) ::_exit(1);
}

bool ForkedChild::waitForMark(int timeoutMs) {
    if (markFd_ < 0) return false;
    pollfd p{markFd_, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) != 1) return false;
    char c = 0;
    return ::read(markFd_, &c, 1) == 1;
}

void ForkedChild::kill(int signal) {
    if (pid_ > 0) ::kill(pid_, signal);
}

int ForkedChild::wait() {
    if (pid_ <= 0) return -1;
    int status = 0;
    for (int waited = 0; waited < 60000; waited += 10) {
        const pid_t done = ::waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            pid_ = -1;
            if (WIFEXITED(status)) return WEXITSTATUS(status);
            return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
        }
        ::usleep(10000);
    }
    return -1;
}

int RunWithFileSizeLimit(qint64 bytes, const std::function<int()>& body) {
    ForkedChild child([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = rlim_t(bytes);
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 1;
        return body();
    });
    return child.wait();
}

int RunOnSmallTmpfs(const QString& folder, qint64 bytes, const std::function<int()>& body) {
    ForkedChild child([&] {
        const QByteArray where = QFile::encodeName(folder);
        const QByteArray options = "size=" + QByteArray::number(bytes);
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", where.constData(), "tmpfs", 0, options.constData()) != 0)
            return kCannotMount;
        return body();
    });
    const int rc = child.wait();
    return rc == kCannotMount ? -1 : rc;
}

bool FillFileSystem(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder + QStringLiteral("/filler"));
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const QByteArray block(4096, 'f');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}
