#pragma once
// Saving a card as a card image: a folder "_images/<label>/" in the data
// folder holding copies of the card's day files and of "EEPROM.BIN" (the
// private-trip memory), plus "_image.inf" with the five volume labels. The
// drive list offers such a folder as the image entry, and every day-file
// reader works on it as on a card. Note files stay on the card.
#include <string>
#include <vector>

#include "app/volume_labels.h"
#include "common/progress.h"

namespace tripdesk::app {

inline constexpr const char* kImagesFolderName = "_images";
inline constexpr const char* kPrivateMemoryFileName = "EEPROM.BIN";

// Progress texts of the image save.
inline constexpr const char* kImageSaveTitle = "Ukladám obraz jednotky ...";
inline constexpr const char* kImageUpdateQuestion = "Aktualizovat existujuci obraz jednotky?";
inline constexpr const char* kImageSaveCancelledText = " - ukladanie obrazu jednotky prerusene ...";

// The folder holding every card image: data folder + "_images/".
std::string images_root(const std::string& data_folder);

// The image folder of a card, with a trailing "/": data folder + "_images/" +
// the vehicle label (NO_CARID for a card without one) made safe for a folder
// name, so a label such as "../x" or "A/B" stays inside "_images".
std::string card_image_folder(const std::string& data_folder, const VolumeLabels& labels);

// The files an image takes from a card folder, as full paths, in the order
// they are copied: the day files "DDMMYY.GPS" of the two-digit years 06 to
// 30, year by year, month by month, day by day (days 1 to 31 in every month),
// then "EEPROM.BIN". Names are matched without regard to letter case; when two
// names differ only in case the upper-case one is taken. Note files, day
// files of other years and anything else are left out. Throws IoError when the
// folder cannot be listed.
std::vector<std::string> card_image_files(const std::string& card_folder);

struct FailedFile {
    std::string path;     // the file that was not handled
    std::string message;  // the system's reason
};

struct CardImageSave {
    std::string card_folder;   // the current drive: a card's root or another image
    std::string data_folder;   // with a trailing "/"
    VolumeLabels labels;       // as the main window shows them; written to "_image.inf"
};

struct CardImageResult {
    std::string image_folder;           // with a trailing "/"
    std::vector<std::string> copied;    // source paths copied
    std::vector<FailedFile> failed;     // source paths that could not be copied
    bool complete() const { return failed.empty(); }
};

// Saves the card: creates "_images" and the image folder when missing,
// copies every file of card_image_files() over the image's file of the same
// name (each written to a temporary file and renamed, so an interrupted copy
// never replaces a good one with a half), then writes "_image.inf".
//
// Progress: the title kImageSaveTitle, a maximum of the file count, for each
// file a step, the status ` - ukladanie súboru: "<source>" ...`, a pump and a
// 50 ms readability pause; at the end image_saved_text() when every copy
// succeeded, else image_incomplete_text(). A file that cannot be copied is
// listed in the result and the others are still copied. Throws IoError when
// the card cannot be listed, the image folder cannot be created or
// "_image.inf" cannot be written.
CardImageResult save_card_image(const CardImageSave& request, Progress& progress);

//  - obraz jednotky ulozeny do: "<image folder>" ...
std::string image_saved_text(const std::string& image_folder);
//  - obraz jednotky neúplný, neuložené súbory: N, priečinok: "<image folder>" !!!
std::string image_incomplete_text(const std::string& image_folder, size_t failed_count);

}  // namespace tripdesk::app
