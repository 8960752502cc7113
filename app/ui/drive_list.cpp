// The drive list: filled at the first show, by the drive icon, after a
// language change and when an image is opened; the clock fills a hidden copy
// every second and refills the list when the number of drives changed.
#include <QListWidget>

#include <sys/stat.h>

#include "app/ui/card_view.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"

namespace tripdesk::ui {

namespace {

bool is_folder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

app::VolumeSource& volume_source(Tfrm_main& main) {
    if (const auto& injected = main.options().volumes) return *injected;
    return app::system_volume_source();
}

void fill_drive_list(Tfrm_main& main, QListWidget* list) {
    start_card_view(main);
    if (!main.image_folder().empty() && !is_folder(main.image_folder())) main.set_image_folder({});
    const auto entries = app::drive_list_entries(volume_source(main).volumes(), main.strings()[app::vyp00],
                                                 main.strings()[app::vyp05], main.strings()[app::vyp01],
                                                 main.image_folder());
    list->clear();
    for (const app::DriveEntry& e : entries) {
        auto* item = new QListWidgetItem(QString::fromStdString(e.text), list);
        item->setData(Qt::UserRole, QString::fromStdString(e.folder));
    }
    // Selecting does not scan: only a click on an entry does.
    list->setCurrentRow(list->count() - 1);
}

namespace {

void drive_list_changed_check(Tfrm_main& main) {
    // While a scan runs the list is disabled and must not change under it.
    if (!main.lst_drvzozn->isEnabled()) return;
    fill_drive_list(main, main.lst_temp);
    if (main.lst_temp->count() != main.lst_drvzozn->count()) fill_drive_list(main, main.lst_drvzozn);
}

}  // namespace

TRIPDESK_REGISTER_MENU(fill_drive_list, [](Tfrm_main& m) { fill_drive_list(m, m.lst_drvzozn); });
TRIPDESK_REGISTER_MENU(tmr_hodinyTimer, drive_list_changed_check);

}  // namespace tripdesk::ui
