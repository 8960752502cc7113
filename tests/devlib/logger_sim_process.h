#pragma once
// Starts the simulated logger for a test and stops it again. Every test gets
// its own port folder, and DLR4470_PORT_DIR points the library at it, so no
// test ever opens a port it did not create.
#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

class LoggerSim {
public:
    // Starts logger_sim on COM3 in a fresh port folder with the given options
    // and waits until its port is ready; sets DLR4470_PORT_DIR.
    explicit LoggerSim(const std::vector<std::string>& options = {}, int com = 3);
    ~LoggerSim();
    LoggerSim(const LoggerSim&) = delete;
    LoggerSim& operator=(const LoggerSim&) = delete;

    // Lines the simulator logged (open, close, enter, exit, command ...).
    std::vector<std::string> log() const;
    // The simulator works beside the test: this waits up to two seconds for
    // a line equal to line or starting with it and a space.
    bool logged(const std::string& line) const;
    const std::string& port_folder() const { return ports_.path(); }
    std::string upload_file() const { return ports_.file("upload.bin"); }

private:
    TempFolder ports_;
    pid_t pid_ = -1;
};

// Points DLR4470_PORT_DIR at an empty folder: a search finds nothing.
void use_empty_port_folder(const TempFolder& folder);

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);
bool file_exists(const std::string& path);

}  // namespace testing_support
