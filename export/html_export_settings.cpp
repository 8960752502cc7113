#include "export/html_export_settings.h"

namespace tripdesk {

HtmlExportSettings html_export_settings(const app::Settings& settings) {
    HtmlExportSettings s;
    s.output_dir = settings.frm_setexp.OutputDirHTML;
    s.resolution_m = settings.frm_setexp.ResolutionHTML;
    s.min_stop_s = settings.frm_setexp.ZastaveniaHTML;
    s.time_off_mrp = settings.frm_setexp.TimeOffMRP;
    s.gmaps_key = settings.frm_setprg.GmapsKey;
    s.email = settings.frm_setexp.EmailHTML;
    s.force20byte = settings.frm_main.Force20byte;
    return s;
}

}  // namespace tripdesk
