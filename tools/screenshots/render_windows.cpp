// tripdesk_screenshots OUTPUT_FOLDER [CARD_FOLDER]
// Renders the main window (with the card opened when given) and every
// secondary window to OUTPUT_FOLDER/<class>.png, offscreen, over a fresh
// data folder, so the pictures never depend on the user's settings.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>

#include "app/ui/card_view.h"
#include "app/ui/frm_main.h"

namespace {

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

bool save(QWidget* window, const QString& folder) {
    const QString path = folder + "/" + window->objectName() + ".png";
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "tripdesk_screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tripdesk_screenshots OUTPUT_FOLDER [CARD_FOLDER]\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);
    // A window that asks something when shown (no card, no port) must not
    // hold the run: any message box is dismissed.
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    dismiss.start(50);
    QTemporaryDir data;
    MainWindowOptions options =
        default_main_window_options(data.path().toStdString() + "/", QApplication::applicationDirPath().toStdString() + "/");
    options.readability_pauses = false;
    options.user_home = "/home/user";
    Tfrm_main main(options);
    main.create_secondary_windows();
    main.show();
    settle();
    if (argc > 2) tripdesk::ui::open_card_at_its_period(main, argv[2]);
    settle();
    bool ok = save(&main, output);
    for (const char* name : {"Tfrm_about", "Tfrm_setexp", "Tfrm_readsn", "Tfrm_setprg", "Tfrm_sukjaz", "Tfrm_nmea",
                             "Tfrm_swup", "Tfrm_dlr4470", "Tfrm_pozn", "Tfrm_casokno"}) {
        QWidget* window = main.form(name);
        if (!window) continue;
        window->show();
        settle();
        ok = save(window, output) && ok;
        window->hide();
    }
    main.setEnabled(true);
    return ok ? 0 : 1;
}
