#include "export/ui/export_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include <exception>

namespace tripdesk::ui {

namespace {

ExportDialogs system_dialogs() {
    ExportDialogs d;
    d.save_file = [](QWidget* parent, const QString& filter, const QString& folder, const QString& proposed) {
        // The filters are written "Text (*.TXT)|*.TXT"; Qt takes the part before "|".
        const QString qt_filter = filter.section('|', 0, 0);
        return QFileDialog::getSaveFileName(parent, QString(), folder + "/" + proposed, qt_filter);
    };
    d.information = [](QWidget* parent, const QString& text) { QMessageBox::information(parent, QString(), text); };
    d.error = [](QWidget* parent, const QString& text) { QMessageBox::critical(parent, QString(), text); };
    return d;
}

}  // namespace

ExportDialogs& export_dialogs() {
    static ExportDialogs dialogs = system_dialogs();
    return dialogs;
}

QString error_text(const std::exception& e) { return QString::fromUtf8(e.what()); }

}  // namespace tripdesk::ui
