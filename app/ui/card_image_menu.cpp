// Súbor -> "Uložiť obraz jednotky" (men_ulimg, Ctrl+S) and "Otvoriť obraz
// jednotky" (men_otimg, Ctrl+O): the current drive saved as a card image in
// the data folder, and a saved image opened as the drive list's image entry.
#include <QLabel>
#include <QMessageBox>

#include <sys/stat.h>

#include "app/card_image.h"
#include "app/ui/card_file_reports.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"
#include "common/io_error.h"

namespace {

using namespace tripdesk;

bool is_folder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

app::VolumeLabels shown_labels(const Tfrm_main& main) {
    const auto text = [&](int i) { return main.vyp_inf[i]->text().toStdString(); };
    return {text(0), text(1), text(2), text(3), text(4)};
}

void men_ulimgClick(Tfrm_main& main) {
    // Nothing scanned (or the last scan failed): there is no drive to save.
    if (main.current_drive().empty()) {
        main.set_status(QString::fromUtf8(app::kImageSaveCancelledText));
        return;
    }
    const app::VolumeLabels labels = shown_labels(main);
    const std::string image_folder = app::card_image_folder(main.data_folder(), labels);
    if (is_folder(image_folder) &&
        QMessageBox::question(&main, main.windowTitle(), QString::fromUtf8(app::kImageUpdateQuestion),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        main.set_status(QString::fromUtf8(app::kImageSaveCancelledText));
        return;
    }
    app::CardImageResult result;
    try {
        MainProgress progress(main);
        result = app::save_card_image({main.current_drive(), main.data_folder(), labels}, progress);
    } catch (const IoError& e) {
        QMessageBox::warning(&main, main.windowTitle(), QString::fromStdString(e.what()));
        return;
    }
    if (!result.complete()) {
        ui::show_failed_files(main, QString::fromUtf8("Tieto súbory sa nepodarilo uložiť do obrazu jednotky:"),
                              result.failed);
    }
}

void men_otimgClick(Tfrm_main& main) {
    const auto& choose = main.options().choose_folder;
    if (!choose) return;
    const QString chosen = choose(&main, QString::fromUtf8("Vyberte priečinok s obrazom jednotky:"),
                                  QString::fromStdString(app::images_root(main.data_folder())));
    if (chosen.isEmpty()) return;
    main.open_card_image(chosen.toStdString());
}

}  // namespace

TRIPDESK_REGISTER_MENU(men_ulimg, men_ulimgClick);
TRIPDESK_REGISTER_MENU(men_otimg, men_otimgClick);
