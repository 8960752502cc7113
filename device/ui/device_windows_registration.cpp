// Creates the two tracker windows for the main window and ties their
// remembered ports to the settings: read at the first show, written at exit.
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"
#include "device/ui/frm_readsn.h"
#include "device/ui/frm_swup.h"

namespace {

using tripdesk::app::Settings;

template <class Window, class Section>
Window* make_device_window(Tfrm_main& main, Section Settings::*section) {
    auto* window = new Window(
        tripdesk::device::ui::default_device_window_options(QString::fromStdString(main.program_folder())));
    QObject::connect(&main, &Tfrm_main::settings_loaded, window,
                     [window, &main, section] { window->set_current_port((main.settings().*section).SerialPort); });
    QObject::connect(&main, &Tfrm_main::settings_saving, window,
                     [window, &main, section] { (main.settings().*section).SerialPort = window->port_to_save(); });
    return window;
}

}  // namespace

TRIPDESK_REGISTER_WINDOW(Tfrm_readsn, [](Tfrm_main& m) { return make_device_window<Tfrm_readsn>(m, &Settings::frm_readsn); });
TRIPDESK_REGISTER_WINDOW(Tfrm_swup, [](Tfrm_main& m) { return make_device_window<Tfrm_swup>(m, &Settings::frm_swup); });
