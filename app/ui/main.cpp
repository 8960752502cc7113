// marvek7_tripdesk [--home DIR] [CARD_FOLDER]
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/data_folder.h"
#include "app/ui/card_view.h"
#include "app/ui/frm_main.h"
#include "common/io_error.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("MARVEK7 Tripdesk");
    std::string home;
    std::string card_folder;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--home" && i + 1 < args.size()) {
            home = args[++i].toStdString();
        } else if (args[i] == "--help") {
            std::puts("usage: marvek7_tripdesk [--home DIR] [CARD_FOLDER]");
            return 0;
        } else if (args[i].startsWith("--")) {
            std::fprintf(stderr, "marvek7_tripdesk: unknown option %s\nusage: marvek7_tripdesk [--home DIR] [CARD_FOLDER]\n",
                         args[i].toLocal8Bit().constData());
            return 2;
        } else {
            card_folder = args[i].toStdString();
        }
    }
    std::string data_folder;
    try {
        data_folder = tripdesk::app::resolve_data_folder(home);
    } catch (const tripdesk::IoError& e) {
        QMessageBox::critical(nullptr, "MARVEK7 Tripdesk", QString::fromStdString(e.what()));
        return 1;
    }
    auto* main_window =
        new Tfrm_main(default_main_window_options(data_folder, tripdesk::app::program_folder()));
    main_window->setAttribute(Qt::WA_DeleteOnClose);
    main_window->create_secondary_windows();
    main_window->show();
    if (!card_folder.empty()) {
        QTimer::singleShot(0, main_window, [main_window, card_folder] {
            tripdesk::ui::open_card_at_its_period(*main_window, card_folder);
        });
    }
    return QApplication::exec();
}
