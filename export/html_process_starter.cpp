#include "export/html_process_starter.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

#include "common/progress.h"

extern char** environ;

namespace tripdesk {

int SpawnProcessStarter::run_and_wait(const std::vector<std::string>& argv, Progress& progress) {
    if (argv.empty()) return -1;
    std::vector<char*> cargv;
    cargv.reserve(argv.size() + 1);
    for (const auto& arg : argv) cargv.push_back(const_cast<char*>(arg.c_str()));
    cargv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, cargv[0], &actions, nullptr, cargv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;

    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            if (WIFEXITED(status)) return WEXITSTATUS(status);
            return 128 + WTERMSIG(status);
        }
        if (done < 0 && errno != EINTR) return -1;
        progress.pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace tripdesk
