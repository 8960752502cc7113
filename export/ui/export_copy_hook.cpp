#include "export/ui/export_copy_hook.h"

namespace tripdesk::ui {

ExportCopyHook& export_copy_hook() {
    static ExportCopyHook hook;
    return hook;
}

}  // namespace tripdesk::ui
