#include "app/card_image.h"

#include <sys/stat.h>

#include <cerrno>

#include "app/day_file_names.h"
#include "app/image_info.h"
#include "app/safe_name.h"
#include "common/atomic_file.h"
#include "common/c_format.h"
#include "common/io_error.h"
#include "track/path_lookup.h"

namespace tripdesk::app {

namespace {

constexpr int kFirstYear = 6;   // two-digit years an image takes
constexpr int kLastYear = 30;
constexpr int kCopyPauseMs = 50;

std::string with_trailing_slash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder.push_back('/');
    return folder;
}

bool is_regular_file(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Creates a folder unless a folder of that name is already there.
void make_folder(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return;
    if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) throw_errno(folder);
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) throw_errno(folder);
}

}  // namespace

std::string images_root(const std::string& data_folder) {
    return with_trailing_slash(track::join_path(data_folder, kImagesFolderName));
}

std::string card_image_folder(const std::string& data_folder, const VolumeLabels& labels) {
    return with_trailing_slash(track::join_path(images_root(data_folder), safe_name(vehicle_label(labels))));
}

std::vector<std::string> card_image_files(const std::string& card_folder) {
    const std::vector<DayFileName> days = list_day_files(card_folder);
    std::vector<std::string> files;
    files.reserve(days.size() + 1);
    for (const DayFileName& day : days)
        if (day.year >= kFirstYear && day.year <= kLastYear) files.push_back(track::join_path(card_folder, day.name));
    if (const auto eeprom = track::find_ignoring_case(card_folder, kPrivateMemoryFileName);
        eeprom && is_regular_file(*eeprom))
        files.push_back(*eeprom);
    return files;
}

CardImageResult save_card_image(const CardImageSave& request, Progress& progress) {
    CardImageResult result;
    result.image_folder = card_image_folder(request.data_folder, request.labels);
    // The list comes first: a card that cannot be read leaves no empty image behind.
    const std::vector<std::string> files = card_image_files(request.card_folder);
    make_folder(images_root(request.data_folder));
    make_folder(result.image_folder);

    progress.title(kImageSaveTitle);
    progress.maximum(static_cast<int>(files.size()) + 1);
    for (const std::string& source : files) {
        progress.step();
        progress.status(" - ukladanie súboru: \"" + source + "\" ...");
        const std::string name = source.substr(source.find_last_of('/') + 1);
        // An earlier image may hold the same file under another letter case:
        // replace that one rather than keep both.
        const std::string target = track::resolve_ignoring_case(result.image_folder, name);
        try {
            write_file_atomically(target, read_whole_file(source));
            result.copied.push_back(source);
        } catch (const IoError& e) {
            result.failed.push_back({source, e.what()});
        }
        progress.pump();
        progress.pause(kCopyPauseMs);
    }
    write_image_info(result.image_folder, request.labels);
    progress.step();
    progress.status(result.complete() ? image_saved_text(result.image_folder)
                                      : image_incomplete_text(result.image_folder, result.failed.size()));
    return result;
}

std::string image_saved_text(const std::string& image_folder) {
    return " - obraz jednotky ulozeny do: \"" + image_folder + "\" ...";
}

std::string image_incomplete_text(const std::string& image_folder, size_t failed_count) {
    return c_format(" - obraz jednotky neúplný, neuložené súbory: %zu, priečinok: \"%s\" !!!", failed_count,
                    image_folder.c_str());
}

}  // namespace tripdesk::app
