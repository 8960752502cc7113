#pragma once
// A file opened for writing and locked against every other process, with
// both Linux lock kinds (flock and open-file-description record locks), so
// that a program holding either kind keeps us out. The lock lasts as long
// as the object.
#include <string>

namespace tripdesk::dbase {

class LockedFile {
public:
    // DbaseError "... is locked by another program" when someone holds a
    // lock, IoError when the file cannot be opened.
    explicit LockedFile(std::string path);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    const std::string& path() const { return path_; }
    std::string read_all() const;
    int mode() const;  // permission bits, kept when the file is replaced

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace tripdesk::dbase
