#pragma once
// Applies a window's caption table (app/languages.h) to its controls: the
// row named after the window class sets the window title, every other row
// the text of the child with that objectName (label, button, check box,
// menu item, menu, group box). An empty cell leaves the text as it is.
#include <QString>

class QWidget;

namespace tripdesk::ui {

void apply_captions(QWidget* window, const QString& window_class, int language_number);

}  // namespace tripdesk::ui
