// The main menu, the dispatch of menu items and card events to their
// handlers, and the showing of secondary windows.
#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "app/languages.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"

namespace {

struct MenuItem {
    const char* name;
    const char* shortcut;  // empty: none
};

struct MenuGroup {
    const char* name;
    std::vector<MenuItem> items;
};

const std::vector<MenuGroup>& menu_table() {
    static const std::vector<MenuGroup> table = {
        {"men_grp00",
         {{"men_otimg", "Ctrl+O"}, {"men_ulimg", "Ctrl+S"}, {"men_zmaz", "Del"}, {"men_dlr4470", "Ctrl+B"},
          {"men_konec", "Ctrl+Q"}}},
        {"men_grp10",
         {{"men_expkj", "F2"}, {"men_expkml", "F3"}, {"men_exmrp", "F4"}, {"men_zobMAP", "F5"}, {"men_gmapskj", "F6"},
          {"men_email", "F7"}, {"men_selall", "Ctrl+A"}, {"men_selnon", "Ctrl+N"}}},
        {"men_gpr20",
         {{"men_presuk", "F8"}, {"men_nmea", "F9"}, {"men_setexp", "Ctrl+E"}, {"men_setprg", "Ctrl+P"}}},
        {"men_grp30",
         {{"men_run1", "Ctrl+F2"}, {"men_run2", "Ctrl+F3"}, {"men_readsn", "Ctrl+I"}, {"men_aktufw", "Ctrl+U"},
          {"men_format", "Ctrl+F"}}},
        {"men_grp40", {{"men_aktu", ""}, {"men_oprg", ""}}},
    };
    return table;
}

// Menu items that show a secondary window when no handler of their own is registered.
const std::map<QString, QString>& window_of_item() {
    static const std::map<QString, QString> map = {
        {"men_oprg", "Tfrm_about"},     {"men_nmea", "Tfrm_nmea"},     {"men_setexp", "Tfrm_setexp"},
        {"men_setprg", "Tfrm_setprg"},  {"men_readsn", "Tfrm_readsn"}, {"men_presuk", "Tfrm_sukjaz"},
        {"men_aktufw", "Tfrm_swup"},    {"men_dlr4470", "Tfrm_dlr4470"}, {"men_zobMAP", "Tfrm_casokno"},
    };
    return map;
}

// Select-all and select-none are card events named after their click handler.
const std::map<QString, QString>& event_of_item() {
    static const std::map<QString, QString> map = {
        {"men_selall", "men_selallClick"},
        {"men_selnon", "men_selnonClick"},
    };
    return map;
}

}  // namespace

void Tfrm_main::build_menu() {
    using namespace tripdesk::app;
    const auto captions = caption_table("Tfrm_main");
    const auto slovak = [&](const char* name) {
        for (const auto& row : captions) {
            if (std::string_view(row.control) == name) return QString::fromUtf8(row.text[0]);
        }
        return QString::fromLatin1(name);
    };
    for (const auto& group : menu_table()) {
        QMenu* menu = menuBar()->addMenu(slovak(group.name));
        menu->setObjectName(group.name);
        for (const auto& item : group.items) {
            QAction* action = menu->addAction(slovak(item.name));
            action->setObjectName(item.name);
            if (*item.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            // Shortcuts work while the menu bar is closed, as in the original.
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action);
            const QString name = item.name;
            connect(action, &QAction::triggered, this, [this, name] { dispatch(name); });
            menu_items_[name] = action;
        }
    }
    // The "Jazdy" group answers F1 by opening itself.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] {
        if (auto* menu = findChild<QMenu*>("men_grp10")) menuBar()->setActiveAction(menu->menuAction());
    });
    menu_items_["men_zmaz"]->setEnabled(false);
    menu_items_["men_format"]->setEnabled(false);
    menu_items_["men_aktu"]->setEnabled(false);
}

void Tfrm_main::dispatch(const QString& name) {
    if (QAction* action = menu_item(name); action && !action->isEnabled()) return;
    const auto& handlers = tripdesk::ui::menu_handlers();
    const auto event = event_of_item().find(name);
    const QString handler_name = event == event_of_item().end() ? name : event->second;
    if (const auto it = handlers.find(handler_name); it != handlers.end()) {
        it->second(*this);
        return;
    }
    if (name == "men_konec") {
        close();
    } else if (name == "men_run1") {
        RunProgram(settings_.logbook_program_path());
    } else if (name == "men_run2") {
        RunProgram(settings_.google_earth_path());
    } else if (const auto window = window_of_item().find(name); window != window_of_item().end()) {
        if (QWidget* form_window = form(window->second)) UkazOknoCenter(form_window);
    }
}

void Tfrm_main::RunProgram(const std::string& path) {
    const QFileInfo program(QString::fromStdString(path));
    if (path.empty() || !program.isFile() || !options_.start_program) return;
    options_.start_program(program.absoluteFilePath(), program.absolutePath());
}

QWidget* Tfrm_main::form(const QString& class_name) const {
    for (QWidget* w : secondary_windows_) {
        if (w->objectName() == class_name) return w;
    }
    return nullptr;
}

void Tfrm_main::create_secondary_windows() {
    static const char* const order[] = {"Tfrm_about",  "Tfrm_setexp", "Tfrm_readsn",  "Tfrm_setprg",
                                        "Tfrm_sukjaz", "Tfrm_nmea",   "Tfrm_swup",    "Tfrm_dlr4470",
                                        "Tfrm_pozn",   "Tfrm_casokno"};
    const auto& factories = tripdesk::ui::window_factories();
    for (const char* class_name : order) {
        const auto it = factories.find(QString::fromLatin1(class_name));
        if (it == factories.end()) continue;
        QWidget* window = it->second(*this);
        if (!window) continue;
        window->setObjectName(class_name);
        // A window that is a Qt child of the main window would be disabled
        // with it, so the main window owns its secondary windows itself.
        if (window->parent()) window->setParent(nullptr);
        window->setWindowFlag(Qt::Window, true);
        window->hide();
        window->installEventFilter(this);
        secondary_windows_.push_back(window);
    }
}

void Tfrm_main::UkazOknoCenter(QWidget* window) {
    if (!window) return;
    setEnabled(false);
    // Shown first: a window's final size is known only once its layout ran.
    window->show();
    // Halves rounded toward zero, as integer division does.
    const QRect main = frameGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(main.left() + main.width() / 2 - size.width() / 2, main.top() + main.height() / 2 - size.height() / 2);
    window->raise();
    window->activateWindow();
}

bool Tfrm_main::eventFilter(QObject* watched, QEvent* event) {
    // Every secondary window gives the main window back when it goes away,
    // whether by its own button or by the title bar.
    if (event->type() == QEvent::Hide && !closing_) {
        for (QWidget* w : secondary_windows_) {
            if (w == watched) {
                setEnabled(true);
                break;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
