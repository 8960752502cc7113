#pragma once
// The system dialogs the export windows use: the save dialog and the message
// boxes. Each is a replaceable function, so window tests answer them without
// a modal dialog; the program uses the Qt ones.
#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace tripdesk::ui {

struct ExportDialogs {
    // A save dialog; returns the chosen path, empty when cancelled.
    std::function<QString(QWidget* parent, const QString& filter, const QString& folder, const QString& proposed)>
        save_file;
    std::function<void(QWidget* parent, const QString& text)> information;
    std::function<void(QWidget* parent, const QString& text)> error;
};

// The dialogs in use; tests replace members and restore them after.
ExportDialogs& export_dialogs();

// The text of a failed operation for its error box.
QString error_text(const std::exception& e);

}  // namespace tripdesk::ui
