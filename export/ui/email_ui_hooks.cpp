#include "export/ui/email_ui_hooks.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

namespace tripdesk::ui {

EmailUiHooks& email_ui_hooks() {
    static EmailUiHooks hooks{
        [](QWidget* parent, const QString& proposed) {
            return QFileDialog::getSaveFileName(parent, QString(), proposed,
                                                QString::fromUtf8("Textové hodnoty s oddeľovačom (*.CSV)"));
        },
        [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); },
        [](QWidget* parent, const QString& text) { QMessageBox::warning(parent, parent->windowTitle(), text); },
        [](QWidget* parent, const QString& text) { QMessageBox::information(parent, parent->windowTitle(), text); },
    };
    return hooks;
}

}  // namespace tripdesk::ui
