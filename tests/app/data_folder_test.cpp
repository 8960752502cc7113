#include "app/data_folder.h"

#include <gtest/gtest.h>

using tripdesk::app::choose_data_folder;
using tripdesk::app::DataFolderInputs;

namespace {

TEST(DataFolder, Precedence) {
    struct Case {
        DataFolderInputs in;
        const char* expected;
    };
    const Case cases[] = {
        {{"/data/opt", "/data/env", "/opt/td/", true, "/xdg", "/home/jan"}, "/data/opt/"},
        {{"", "/data/env", "/opt/td/", true, "/xdg", "/home/jan"}, "/data/env/"},
        {{"", "", "/opt/td/", true, "/xdg", "/home/jan"}, "/opt/td/"},
        {{"", "", "/usr/bin/", false, "/xdg/", "/home/jan"}, "/xdg/marvek7-tripdesk/"},
        {{"", "", "/usr/bin/", false, "", "/home/jan"}, "/home/jan/.local/share/marvek7-tripdesk/"},
        {{"", "", "/usr/bin/", false, "relative/xdg", "/home/jan/"}, "/home/jan/.local/share/marvek7-tripdesk/"},
        {{"relative", "", "/usr/bin/", false, "", "/home/jan"}, "relative/"},
    };
    for (const auto& c : cases) EXPECT_EQ(choose_data_folder(c.in), c.expected);
}

TEST(DataFolder, ProgramFolderIsThisTestsFolder) {
    EXPECT_EQ(tripdesk::app::program_folder(), std::string(TRIPDESK_BIN_DIR) + "/");
}

}  // namespace
