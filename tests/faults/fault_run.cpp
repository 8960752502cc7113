#include "faults/fault_run.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace tripdesk::faults {

void apply_faults(const Faults& faults) {
    if (faults.file_size_limit >= 0) {
        ::signal(SIGXFSZ, SIG_IGN);  // an ignored signal stays ignored across exec
        const rlimit limit{static_cast<rlim_t>(faults.file_size_limit), static_cast<rlim_t>(faults.file_size_limit)};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) std::perror("setrlimit");
    }
    if (faults.obey_permissions && ::geteuid() == 0) {
        // Dropped from the bounding set, the capabilities are gone after exec
        // too; a process without them (not root) has nothing to drop.
        ::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0);
        ::prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0);
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (::syscall(SYS_capget, &header, data) == 0) {
            for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) data[0].effective &= ~(1u << cap);
            ::syscall(SYS_capset, &header, data);
        }
    }
}

ProcessRun run_program(const std::string& program, const std::vector<std::string>& args, const Faults& faults) {
    int out_pipe[2], err_pipe[2];
    if (::pipe2(out_pipe, O_CLOEXEC) != 0 || ::pipe2(err_pipe, O_CLOEXEC) != 0) std::abort();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out_pipe[1], 1);
        ::dup2(err_pipe[1], 2);
        apply_faults(faults);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        std::perror("execv");
        ::_exit(127);
    }
    ::close(out_pipe[1]);
    ::close(err_pipe[1]);
    ProcessRun run;
    pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&run.out, &run.err};
    int open_count = 2;
    while (open_count > 0) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buf[4096];
            const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open_count;
            }
        }
    }
    int raw = 0;
    while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
    if (WIFSIGNALED(raw)) run.signal = WTERMSIG(raw);
    return run;
}

ProcessRun run_tripdesk(const std::vector<std::string>& args, const Faults& faults) {
    return run_program(std::string(TRIPDESK_BIN_DIR) + "/tripdesk", args, faults);
}

int run_in_child(const Faults& faults, int (*body)(void*), void* context) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        apply_faults(faults);
        int status = 99;
        try {
            status = body(context);
        } catch (...) {
        }
        std::fflush(nullptr);
        ::_exit(status);
    }
    int raw = 0;
    while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

}  // namespace tripdesk::faults
