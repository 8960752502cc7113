#include "export/dbase/mdx_file.h"

#include <algorithm>

#include "common/c_format.h"
#include "export/dbase/byte_order.h"
#include "export/dbase/dbase_error.h"

namespace tripdesk::dbase {
namespace {

constexpr size_t kPage = 512;
constexpr size_t kFileHeaderLength = 2048;  // pages 0-3
constexpr size_t kTagTable = 544;
constexpr size_t kTagEntryLength = 32;
constexpr size_t kMaxTags = 47;
constexpr size_t kExpressionAt = 24;
constexpr size_t kForFlagAt = 245;
constexpr size_t kForExpressionAt = 762;
constexpr size_t kExpressionLength = 221;
constexpr int kMaxDepth = 32;

std::string c_string(std::string_view bytes) {
    const size_t end = bytes.find('\0');
    std::string s(bytes.substr(0, end));
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

}  // namespace

MdxFile::MdxFile(std::string name, std::string image) : name_(std::move(name)), image_(std::move(image)) {
    const auto fail = [&](const std::string& why) { throw DbaseError(name_ + ": " + why); };
    if (image_.size() < kFileHeaderLength || image_.size() % kPage) fail("not a dBase IV index (length)");
    if (image_[0] != 2) fail(c_format("index version %d is not dBase IV", image_[0]));
    block_pages_ = get_u16(image_, 20);
    block_length_ = get_u16(image_, 22);
    if (block_pages_ < 2 || block_length_ != block_pages_ * kPage)
        fail("block size " + std::to_string(block_length_) + " is not supported");
    if (get_u8(image_, 26) != kTagEntryLength) fail("tag table entries of unknown length");
    const size_t tag_count = get_u16(image_, 28);
    if (tag_count > kMaxTags) fail("more tags than an index can hold");
    if (get_u32(image_, 32) * kPage != image_.size()) fail("the page count does not match the file length");

    for (size_t i = 0; i < tag_count; ++i) {
        const size_t at = kTagTable + i * kTagEntryLength;
        MdxTag tag;
        tag.name = c_string(std::string_view(image_).substr(at + 4, 11));
        tag.header_page = get_u32(image_, at);
        const std::string_view header = block(tag.header_page);
        if (header.empty()) fail("tag " + tag.name + ": header page outside the file");
        tag.root_page = get_u32(header, 0);
        const auto format = static_cast<unsigned char>(header[8]);
        tag.key_type = header[9];
        tag.key_length = get_u16(header, 12);
        tag.keys_per_block = get_u16(header, 14);
        tag.group_length = get_u16(header, 18);
        tag.unique = (format & 0x40) || header[23] != 0;
        tag.descending = format & 0x08;
        tag.key_expression = c_string(header.substr(kExpressionAt, kExpressionLength));
        if (header[kForFlagAt]) tag.for_expression = c_string(header.substr(kForExpressionAt, kExpressionLength));
        const size_t fitting = (block_length_ - 12) / std::max<size_t>(tag.group_length, 1);
        if (tag.key_type != 'C' && tag.key_type != 'N' && tag.key_type != 'D')
            fail("tag " + tag.name + ": key type " + std::string(1, tag.key_type) + " is not supported");
        if (image_[at + 20] != tag.key_type) fail("tag " + tag.name + ": tag table and tag header disagree on the key type");
        if (tag.key_length == 0 || tag.group_length != (tag.key_length + 4 + 3) / 4 * 4 ||
            tag.keys_per_block == 0 || tag.keys_per_block > fitting)
            fail("tag " + tag.name + ": key or block geometry is damaged");
        if (tag.key_expression.empty()) fail("tag " + tag.name + ": no key expression");
        tags_.push_back(std::move(tag));
    }
}

std::string_view MdxFile::block(uint32_t page) const {
    const size_t at = size_t(page) * kPage;
    if (page < kFileHeaderLength / kPage || at + block_length_ > image_.size()) return {};
    return std::string_view(image_).substr(at, block_length_);
}

std::vector<MdxEntry> MdxFile::entries(const MdxTag& tag) const {
    std::vector<MdxEntry> out;
    // Pages already walked: in a sound tree every page is reached once, and a
    // damaged one that shares pages could otherwise take ages to walk.
    std::vector<bool> walked(image_.size() / kPage);
    walk(tag, tag.root_page, 0, out, walked);
    return out;
}

void MdxFile::walk(const MdxTag& tag, uint32_t page, int depth, std::vector<MdxEntry>& out,
                   std::vector<bool>& walked) const {
    const auto fail = [&](const std::string& why) {
        throw DbaseError(name_ + ": tag " + tag.name + ": page " + std::to_string(page) + ": " + why);
    };
    const std::string_view node = block(page);
    if (node.empty()) fail("outside the file");
    if (depth > kMaxDepth || walked[page]) fail("the tree loops or reaches a page twice");
    walked[page] = true;
    const size_t count = get_u32(node, 0);
    if (count > tag.keys_per_block) fail("more keys than a block holds");
    const size_t end = 8 + count * tag.group_length;
    const uint32_t last = get_u32(node, end);
    if (last == 0) {
        for (size_t i = 0; i < count; ++i) {
            const size_t at = 8 + i * tag.group_length;
            out.push_back({get_u32(node, at), std::string(node.substr(at + 4, tag.key_length))});
        }
    } else {
        for (size_t i = 0; i <= count; ++i) walk(tag, get_u32(node, 8 + i * tag.group_length), depth + 1, out, walked);
    }
}

std::string MdxFile::rebuilt(const std::vector<std::vector<MdxEntry>>& entries_per_tag,
                             const CalendarDate& today) const {
    std::string out = image_.substr(0, kFileHeaderLength);
    const size_t pages_per_block = block_pages_;
    size_t next_page = kFileHeaderLength / kPage + tags_.size() * pages_per_block;
    std::vector<std::string> headers;
    std::string nodes;

    for (size_t t = 0; t < tags_.size(); ++t) {
        const MdxTag& tag = tags_[t];
        const std::vector<MdxEntry>& entries = entries_per_tag.at(t);
        const size_t per_node = tag.keys_per_block;
        const size_t first_page = next_page;
        const auto new_node = [&]() {
            nodes.append(block_length_, '\0');
            const size_t page = next_page;
            next_page += pages_per_block;
            return std::pair{page, nodes.size() - block_length_};
        };
        const auto put_entry = [&](size_t node_at, size_t i, uint32_t number, std::string_view key) {
            const size_t at = node_at + 8 + i * tag.group_length;
            put_u32(nodes, at, number);
            std::copy(key.begin(), key.end(), nodes.begin() + long(at + 4));
        };

        // Leaves, keys spread evenly; each level above holds every child's
        // last key but the right-most child's, whose page ends the node.
        struct Built {
            uint32_t page;
            std::string last_key;
        };
        std::vector<Built> level;
        const size_t leaf_count = std::max<size_t>(1, (entries.size() + per_node - 1) / per_node);
        for (size_t l = 0; l < leaf_count; ++l) {
            const size_t from = entries.size() * l / leaf_count, to = entries.size() * (l + 1) / leaf_count;
            const auto [page, at] = new_node();
            put_u32(nodes, at, uint32_t(to - from));
            for (size_t i = from; i < to; ++i) put_entry(at, i - from, entries[i].record, entries[i].key);
            level.push_back({uint32_t(page), to > from ? entries[to - 1].key : std::string()});
        }
        while (level.size() > 1) {
            std::vector<Built> parents;
            const size_t parent_count = (level.size() + per_node) / (per_node + 1);
            for (size_t p = 0; p < parent_count; ++p) {
                const size_t from = level.size() * p / parent_count, to = level.size() * (p + 1) / parent_count;
                const auto [page, at] = new_node();
                const size_t keys = to - from - 1;
                put_u32(nodes, at, uint32_t(keys));
                for (size_t i = from; i + 1 < to; ++i) put_entry(at, i - from, level[i].page, level[i].last_key);
                put_u32(nodes, at + 8 + keys * tag.group_length, level[to - 1].page);
                parents.push_back({uint32_t(page), level[to - 1].last_key});
            }
            level = std::move(parents);
        }

        std::string header(block(tag.header_page));
        put_u32(header, 0, level.front().page);
        put_u32(header, 4, uint32_t(next_page - first_page));
        put_u8(header, 20, get_u8(header, 20) + 1);
        std::fill(header.begin() + 248, header.begin() + 256, '\0');
        headers.push_back(std::move(header));
        put_u32(out, kTagTable + t * kTagEntryLength, uint32_t(kFileHeaderLength / kPage + t * pages_per_block));
    }

    put_u32(out, 32, uint32_t(next_page));
    put_u32(out, 36, 0);
    put_u32(out, 40, 0);
    put_u8(out, 44, uint32_t(std::clamp(today.year - 1900, 0, 255)));
    put_u8(out, 45, uint32_t(today.month));
    put_u8(out, 46, uint32_t(today.day));
    for (const std::string& header : headers) out += header;
    out += nodes;
    return out;
}

}  // namespace tripdesk::dbase
