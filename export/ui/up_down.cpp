#include "export/ui/up_down.h"

#include <QHBoxLayout>
#include <QToolButton>

HorizontalUpDown::HorizontalUpDown(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), position_(std::clamp(0, minimum, maximum)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::LeftArrow);
    down_->setAutoRepeat(true);
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::RightArrow);
    up_->setAutoRepeat(true);
    row->addWidget(down_);
    row->addWidget(up_);
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
    connect(up_, &QToolButton::clicked, this, [this] { step(+1); });
}

void HorizontalUpDown::set_position(int position) { position_ = std::clamp(position, minimum_, maximum_); }

void HorizontalUpDown::step(int delta) {
    set_position(position_ + delta);
    emit clicked();
}
