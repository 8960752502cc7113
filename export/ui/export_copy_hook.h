#pragma once
// Where the e-mail copy of a written export plugs in: the export handlers
// call the hook (when one is installed) after the file was written and the
// export's e-mail option is on.
#include "common/progress.h"

#include <functional>
#include <string>

class Tfrm_main;

namespace tripdesk::ui {

enum class ExportKind { logbook, kml };

struct WrittenExport {
    ExportKind kind;
    std::string path;            // the file written
    std::string selection_name;  // the selection without the vehicle
};

using ExportCopyHook = std::function<void(Tfrm_main&, const WrittenExport&, Progress&)>;

// Empty until the e-mail delivery installs itself.
ExportCopyHook& export_copy_hook();

}  // namespace tripdesk::ui
