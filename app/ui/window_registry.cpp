#include "app/ui/window_registry.h"

namespace tripdesk::ui {

std::map<QString, WindowFactory>& window_factories() {
    static std::map<QString, WindowFactory> factories;
    return factories;
}

std::map<QString, MenuHandler>& menu_handlers() {
    static std::map<QString, MenuHandler> handlers;
    return handlers;
}

}  // namespace tripdesk::ui
