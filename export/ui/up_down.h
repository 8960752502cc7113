#pragma once
// A horizontal up-down control: two arrow buttons stepping a position
// within a range, without a text field of its own (a label beside it shows
// the value).
#include <QWidget>

class QToolButton;

class HorizontalUpDown : public QWidget {
    Q_OBJECT

public:
    HorizontalUpDown(int minimum, int maximum, QWidget* parent = nullptr);

    int position() const { return position_; }
    // Clamped to the range; emits clicked only for the user's clicks.
    void set_position(int position);
    QToolButton* down_button() const { return down_; }
    QToolButton* up_button() const { return up_; }

signals:
    void clicked();

private:
    void step(int delta);

    int minimum_;
    int maximum_;
    int position_ = 0;
    QToolButton* down_ = nullptr;
    QToolButton* up_ = nullptr;
};
