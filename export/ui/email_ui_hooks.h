#pragma once
// The dialogs and shell calls of the mail and stop-list handlers; tests
// replace them so no box waits for a click.
#include <QString>

#include <functional>

class QWidget;

namespace tripdesk::ui {

struct EmailUiHooks {
    // The stop list's save dialog with the proposed path; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& proposed)> save_file;
    // Opens a folder in the file browser.
    std::function<void(const QString& folder)> open_folder;
    std::function<void(QWidget* parent, const QString& text)> warn;
    std::function<void(QWidget* parent, const QString& text)> inform;
};

EmailUiHooks& email_ui_hooks();

}  // namespace tripdesk::ui
