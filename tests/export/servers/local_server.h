#pragma once
// Starts one of the Python test servers of this folder as a child process
// and stops it again; the server reports its port through a file.
#include <string>
#include <vector>

namespace tripdesk::testing {

// A fresh folder under the temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }  // ends with "/"

private:
    std::string path_;
};

class ServerProcess {
public:
    // Runs /usr/bin/python3 servers/<script> --port-file F <args...>.
    ServerProcess(const std::string& script, std::vector<std::string> args, const std::string& work_dir);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;
    int port() const { return port_; }

private:
    int pid_ = -1;
    int port_ = 0;
};

// A self-signed certificate for 127.0.0.1 (key.pem and cert.pem in `dir`);
// the certificate is also the CA file the client trusts.
void make_self_signed_certificate(const std::string& dir);

// A port on 127.0.0.1 where nothing listens.
int unused_port();

std::string read_text(const std::string& path);

}  // namespace tripdesk::testing
