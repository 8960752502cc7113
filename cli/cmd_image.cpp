// `tripdesk image save CARD [--label L]`: saves a card folder as a card image
// "_images/<label>/" in the data folder, as the program's "Uložiť obraz
// jednotky" does. An existing image of the same label is updated.
#include <cstdio>
#include <filesystem>

#include "app/card_image.h"
#include "app/image_info.h"
#include "app/volumes.h"
#include "cli/cli_progress.h"
#include "cli/cli_selection.h"
#include "cli/cli_settings.h"
#include "cli/command.h"
#include "common/io_error.h"

namespace tripdesk::cli {

namespace {

// The five volume texts the card view shows for a card folder: a mounted
// card's volume data, else the texts of its "_image.inf" (a card image saved
// before), else empty ones.
app::VolumeLabels card_volume_labels(const std::string& card) {
    std::error_code ec;
    std::string mount_point = std::filesystem::weakly_canonical(card, ec).string();
    if (ec) mount_point = card;
    while (mount_point.size() > 1 && mount_point.back() == '/') mount_point.pop_back();
    app::VolumeSource& source = app::system_volume_source();
    for (const app::Volume& volume : source.volumes()) {
        if (volume.mount_point != mount_point) continue;
        if (const app::DiskInfo disk = app::ReadDiskInfo(source, volume.mount_point); disk.ok) return disk.labels;
    }
    return app::ReadVirtInfo(card).labels.value_or(app::VolumeLabels{});
}

int run_save(const CommandSettings& cs, std::string card, const std::string& label_override) {
    if (card.back() != '/') card.push_back('/');
    try {
        require_card(card);
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return kFailed;
    }
    std::error_code ec;
    std::filesystem::create_directories(cs.data_folder, ec);  // a fresh data folder; errors show below
    app::CardImageResult result;
    try {
        app::VolumeLabels labels = card_volume_labels(card);
        if (!label_override.empty()) labels.label = label_override;
        if (labels.label.empty()) labels.label = app::kNoCarId;
        TerminalProgress progress;
        result = app::save_card_image({card, cs.data_folder, labels}, progress);
    } catch (const IoError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return kFailed;
    }
    for (const app::FailedFile& f : result.failed) std::fprintf(stderr, "%s: %s\n", f.path.c_str(), f.message.c_str());
    if (!result.complete()) {
        std::fprintf(stderr, "%s\n", app::image_incomplete_text(result.image_folder, result.failed.size()).c_str());
        return kFailed;
    }
    std::printf("%s\n", result.image_folder.c_str());
    return kOk;
}

int run_image(const GlobalOptions& global, std::vector<std::string> args) {
    if (args.empty() || args.front() != "save") throw UsageError{"image needs save"};
    args.erase(args.begin());
    const std::string label = take_option(args, "--label");
    if (args.size() != 1 || args.front().rfind("--", 0) == 0) throw UsageError{"image save needs one CARD"};
    return run_save(load_command_settings(global), args.front(), label);
}

const CommandRegistration registration("image", "image save CARD [--label L]", run_image);

}  // namespace

}  // namespace tripdesk::cli
