#pragma once
// The frame of the menu exports that write the selection into one file the
// user names (F2 logbook text, F3 KML):
//   1. no selected day file: the information "Žiadne vybrané jazdy !!!";
//   2. the save dialog with the export's filter, its output folder and the
//      selection name with the vehicle + the extension; a cancelled dialog
//      writes and sends nothing;
//   3. the grid is hidden behind the progress panel while the export writes;
//   4. with the export's e-mail option on, the written file (when it exists)
//      goes to the e-mail copy hook with the selection name;
//   5. a failure shows the error box; the panel ends at position 3 after a
//      400 ms pause and the grid shows again.
// Include it after the export's logic header: Qt defines "slots" as a macro.
#include "app/ui/frm_main.h"
#include "common/progress.h"
#include "export/ui/export_copy_hook.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace tripdesk::ui {

struct FileExportMenu {
    QString filter;         // the save dialog's filter, "Súbory pre Knihu Jázd (*.TXT)|*.TXT"
    std::string folder;     // the save dialog's folder, the export's output folder
    std::string extension;  // ending of the proposed name, ".TXT"
    ExportKind kind;        // which e-mail copy
    bool email_copy;        // the export's e-mail option (EmailKJ, EmailKML)
    // Writes the selected rows (top to bottom) under the chosen name and
    // returns the path written; throws on failure.
    std::function<std::string(const std::vector<Tfrm_main::SelectedRow>& rows, const std::string& chosen,
                              Progress& progress)>
        write;
};

void run_file_export_menu(Tfrm_main& m, const FileExportMenu& menu);

}  // namespace tripdesk::ui
