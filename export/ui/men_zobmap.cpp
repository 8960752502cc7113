// Jazdy -> "Zobraziť jazdy v Google MAPS" (F5): with CasoveOkno on, the
// time-window dialog asks for the part of the day first and runs the export
// from its buttons; otherwise the whole day is converted at once.
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"
#include "export/ui/html_export_window.h"

namespace {

void men_zobMAPClick(Tfrm_main& main) {
    if (main.settings().frm_main.CasoveOkno) {
        if (QWidget* dialog = main.form("Tfrm_casokno")) {
            main.UkazOknoCenter(dialog);
            return;
        }
    }
    tripdesk::ui::GenerujHTML(main, tripdesk::TimeWindow{});
}

}  // namespace

TRIPDESK_REGISTER_MENU(men_zobMAP, men_zobMAPClick);
