#include "common/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/io_error.h"

namespace fs = std::filesystem;
using namespace tripdesk;

namespace {
fs::path fresh_dir(const char* name) {
    fs::path dir = fs::temp_directory_path() / ("tripdesk_common_" + std::string(name) + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}
}  // namespace

TEST(AtomicFile, ReplacesTargetOnlyOnCommit) {
    const fs::path dir = fresh_dir("commit");
    const std::string target = (dir / "out.txt").string();
    write_file_atomically(target, "old");
    {
        AtomicFile f(target);
        f.write("new content");
        EXPECT_EQ(read_whole_file(target), "old");  // untouched until commit
    }  // destroyed without commit: the old file stays, no temporary is left
    EXPECT_EQ(read_whole_file(target), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    AtomicFile f(target);
    f.write("new content");
    f.commit();
    EXPECT_EQ(read_whole_file(target), "new content");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST(AtomicFile, KeepsRequestedMode) {
    const fs::path dir = fresh_dir("mode");
    const std::string target = (dir / "secret.ini").string();
    write_file_atomically(target, "x", 0600);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(AtomicFile, MissingFolderIsAnIoErrorWithTheSystemMessage) {
    try {
        write_file_atomically("/nonexistent-folder-xyz/out.txt", "x");
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos) << e.what();
    }
    EXPECT_THROW(read_whole_file("/nonexistent-folder-xyz/in.txt"), IoError);
}
