#pragma once
// Running a piece of the test in a child process of its own: to kill it at
// a chosen moment, or to run it without the superuser's rights.
#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lw::test {

// Starts `body` in a forked child that ends with its return value.
inline pid_t forkChild(const std::function<int()>& body) {
    pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    return pid;
}

// The exit code of the child, or 128 + signal when a signal ended it.
inline int waitChild(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs `body` in a child as an ordinary user: as the superuser the child
// becomes "nobody" first, so that file permissions bind it. 125 when the
// rights cannot be dropped.
inline int runUnprivileged(const std::function<int()>& body) {
    return waitChild(forkChild([&] {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 125;
        return body();
    }));
}

} // namespace lw::test
