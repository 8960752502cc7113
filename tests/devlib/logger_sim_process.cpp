#include "devlib/logger_sim_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace testing_support {

namespace {
// Until a test starts a simulator, the library finds no port at all: a test
// never opens a real serial port of the machine.
const bool no_real_ports = [] { return setenv("DLR4470_PORT_DIR", "/nonexistent/dlr4470-ports", 0) == 0; }();
}  // namespace

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tripdesk-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

LoggerSim::LoggerSim(const std::vector<std::string>& options, int com) {
    const std::string program = std::string(TRIPDESK_BIN_DIR) + "/logger_sim";
    std::vector<std::string> args = {program, "--port-dir", ports_.path(), "--com", std::to_string(com),
                                     "--log", ports_.file("sim.log"), "--save-upload", upload_file()};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const int rc = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        throw std::runtime_error("cannot start " + program);
    }
    std::string line;
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
    close(out[0]);
    if (line.rfind("READY", 0) != 0) throw std::runtime_error("logger_sim did not start: " + line);
    setenv("DLR4470_PORT_DIR", ports_.path().c_str(), 1);
}

LoggerSim::~LoggerSim() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
}

std::vector<std::string> LoggerSim::log() const {
    std::vector<std::string> lines;
    std::ifstream in(ports_.file("sim.log"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool LoggerSim::logged(const std::string& line) const {
    for (int attempt = 0; attempt < 200; ++attempt) {
        for (const auto& l : log()) {
            if (l == line || l.rfind(line + " ", 0) == 0) return true;
        }
        usleep(10000);
    }
    return false;
}

void use_empty_port_folder(const TempFolder& folder) {
    setenv("DLR4470_PORT_DIR", folder.path().c_str(), 1);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool file_exists(const std::string& path) { return std::filesystem::exists(path); }

}  // namespace testing_support
