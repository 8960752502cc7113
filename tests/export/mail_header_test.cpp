#include <gtest/gtest.h>
#include <openssl/evp.h>

#include "export/mail_header.h"
#include "export/mail_message.h"
#include "export/mail_notes.h"

namespace tripdesk::mail {
namespace {

// Decodes a header made of "=?UTF-8?B?...?=" words back to its UTF-8 text.
std::string decode_words(const std::string& header) {
    std::string out;
    size_t pos = 0;
    while ((pos = header.find("=?UTF-8?B?", pos)) != std::string::npos) {
        const size_t start = pos + 10;
        const size_t end = header.find("?=", start);
        const std::string b64 = header.substr(start, end - start);
        std::string bytes(b64.size(), '\0');
        int n = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(bytes.data()),
                                reinterpret_cast<const unsigned char*>(b64.data()), static_cast<int>(b64.size()));
        n -= static_cast<int>(std::count(b64.end() - 2, b64.end(), '='));
        out += bytes.substr(0, static_cast<size_t>(n));
        pos = end + 2;
    }
    return out;
}

TEST(MailHeader, PrintableAsciiStaysAsItIs) {
    EXPECT_EQ(encode_header_text("SPZ [BA-123AB] - records"), "SPZ [BA-123AB] - records");
}

TEST(MailHeader, TextThatWouldReadAsAnEncodedWordIsEncoded) {
    const std::string header = encode_header_text("a =?x?= b");
    EXPECT_EQ(header.rfind("=?UTF-8?B?", 0), 0u);
    EXPECT_EQ(decode_words(header), "a =?x?= b");
}

TEST(MailHeader, SlovakTextBecomesShortEncodedWordsWithWholeCharacters) {
    const std::string subject = "SPZ [ŽA-987ČŠ] - výstup pre Knihu Jázd, ľščťžýáíéúäôň ĽŠČŤŽÝÁÍÉÚÄÔŇ";
    const std::string header = encode_header_text(subject);
    EXPECT_EQ(decode_words(header), subject);
    size_t start = 0;
    int words = 0;
    while (start < header.size()) {
        size_t end = header.find("\r\n ", start);
        if (end == std::string::npos) end = header.size();
        const std::string word = header.substr(start, end - start);
        EXPECT_LE(word.size(), 75u) << word;
        // Every word decodes on its own to valid UTF-8: no character is split.
        const std::string text = decode_words(word);
        for (size_t i = 0; i < text.size();) {
            const auto lead = static_cast<unsigned char>(text[i]);
            const size_t len = lead < 0x80 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
            ASSERT_LE(i + len, text.size()) << "character split in " << word;
            i += len;
        }
        ++words;
        start = end + 3;
    }
    EXPECT_GT(words, 1);
}

TEST(MailHeader, ControlCharactersAreRemoved) {
    EXPECT_EQ(header_safe("BA-1\r\nBcc: x@y\t\x7f"), "BA-1Bcc: x@y");
    EXPECT_EQ(header_safe("ŠPZ"), "ŠPZ");
}

TEST(MailAddresses, ListIsSplitAtCommas) {
    const struct {
        const char* list;
        std::vector<std::string> expected;
    } cases[] = {
        {"a@b.sk", {"a@b.sk"}},
        {"a@b.sk,c@d.sk", {"a@b.sk", "c@d.sk"}},
        {" a@b.sk ,  c@d.sk ,", {"a@b.sk", "c@d.sk"}},
        {"", {}},
        {"a@b.sk\r\n,c@d.sk", {"a@b.sk", "c@d.sk"}},
    };
    for (const auto& c : cases) EXPECT_EQ(split_addresses(c.list), c.expected) << c.list;
}

TEST(MailNotes, OnlyNonEmptyLinesAreKept) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"BA-123AB\r\nSlužobná cesta\r\n", "BA-123AB\r\nSlužobná cesta\r\n"},
        {"one\n\ntwo", "one\r\ntwo\r\n"},
        {"\r\n\r\n\n", ""},
        {"", ""},
        {"  \r\n", "  \r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(joined_note_lines(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace tripdesk::mail
