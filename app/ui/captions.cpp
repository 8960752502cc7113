#include "app/ui/captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include "app/languages.h"

namespace tripdesk::ui {

namespace {

void set_caption(QObject* control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(control)) {
        menu->setTitle(text);
    } else if (auto* action = qobject_cast<QAction*>(control)) {
        action->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(control)) {
        box->setTitle(text);
    }
}

}  // namespace

void apply_captions(QWidget* window, const QString& window_class, int language_number) {
    if (!window) return;
    const std::string class_name = window_class.toStdString();
    for (const auto& row : app::caption_table(class_name)) {
        const auto text = app::caption_text(row, language_number);
        if (!text) continue;
        const QString caption = QString::fromStdString(*text);
        if (class_name == row.control) {
            window->setWindowTitle(caption);
            continue;
        }
        const QString name = QString::fromLatin1(row.control);
        for (QObject* control : window->findChildren<QObject*>(name)) set_caption(control, caption);
    }
}

}  // namespace tripdesk::ui
