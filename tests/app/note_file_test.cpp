#include "app/note_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/temp_folder.h"
#include "common/atomic_file.h"
#include "common/io_error.h"

using namespace tripdesk;
using namespace tripdesk::app;
using tripdesk::testing::TempFolder;
namespace fs = std::filesystem;

TEST(NoteFile, NameIsTheDateDigitsWithTxt) {
    EXPECT_EQ(note_file_name("150309.GPS"), "150309.TXT");
    EXPECT_EQ(note_file_name("150309.gps"), "150309.TXT");
}

TEST(NoteFile, LinesRoundTripWithCrLf) {
    TempFolder card;
    EXPECT_FALSE(read_note(card.path(), "150309.GPS"));
    struct Case {
        std::string text, file;
    };
    for (const Case& c : std::vector<Case>{{"BA-999ZZ", "BA-999ZZ\r\n"},
                                           {"Žilina\nservis", "Žilina\r\nservis\r\n"},
                                           {"a\n", "a\r\n\r\n"},
                                           {"\nb", "\r\nb\r\n"},
                                           {"", ""}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(write_note(card.path(), "150309.GPS", c.text), card.file("150309.TXT"));
        EXPECT_EQ(read_whole_file(card.file("150309.TXT")), c.file);
        EXPECT_EQ(read_note(card.path(), "150309.GPS"), c.text);
    }
}

TEST(NoteFile, ReadsForeignFilesAndKeepsTheirNames) {
    TempFolder card;
    // The Windows program's note: Windows-1250, lower-case name, CR or LF breaks.
    write_file_atomically(card.file("150309.txt"), "\x8E" "ilina\rservis\n");
    EXPECT_EQ(read_note(card.path(), "150309.GPS"), "Žilina\nservis");
    write_note(card.path(), "150309.GPS", "nové");
    EXPECT_FALSE(fs::exists(card.file("150309.TXT")));
    EXPECT_EQ(read_whole_file(card.file("150309.txt")), "nové\r\n");
}

TEST(NoteFile, WriteErrorsAreErrors) {
    TempFolder card;
    EXPECT_THROW(write_note(card.file("gone"), "150309.GPS", "x"), IoError);
}
