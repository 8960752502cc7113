#pragma once
// Each subsystem's window code registers its windows and its main-menu
// handlers here, so the main window can create every window in its fixed
// order and dispatch every menu item without including all of them.
#include <QString>
#include <functional>
#include <map>

class QWidget;
class Tfrm_main;

namespace tripdesk::ui {

using WindowFactory = std::function<QWidget*(Tfrm_main&)>;
using MenuHandler = std::function<void(Tfrm_main&)>;

std::map<QString, WindowFactory>& window_factories();
std::map<QString, MenuHandler>& menu_handlers();

struct WindowRegistration {
    WindowRegistration(const char* class_name, WindowFactory factory) {
        window_factories()[QString::fromLatin1(class_name)] = std::move(factory);
    }
};

struct MenuHandlerRegistration {
    MenuHandlerRegistration(const char* menu_item_name, MenuHandler handler) {
        menu_handlers()[QString::fromLatin1(menu_item_name)] = std::move(handler);
    }
};

}  // namespace tripdesk::ui

// TRIPDESK_REGISTER_WINDOW(Tfrm_sukjaz, [](Tfrm_main& m) { return new Tfrm_sukjaz(&m); });
#define TRIPDESK_REGISTER_WINDOW(cls, factory) \
    static const ::tripdesk::ui::WindowRegistration cls##_registration(#cls, factory)
// TRIPDESK_REGISTER_MENU(men_expkj, [](Tfrm_main& m) { ... });
#define TRIPDESK_REGISTER_MENU(item, handler) \
    static const ::tripdesk::ui::MenuHandlerRegistration item##_registration(#item, handler)
