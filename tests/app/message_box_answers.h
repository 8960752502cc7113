#pragma once
// Answers the message boxes a handler shows with QMessageBox (they run their
// own event loop): each box that appears is recorded and closed with the
// next button of the list (the last one repeats; Ok when the list is empty).
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QTimer>

#include <vector>

namespace tripdesk::testing {

class MessageBoxAnswers : public QObject {
public:
    struct Shown {
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };

    explicit MessageBoxAnswers(std::vector<QMessageBox::StandardButton> answers = {}) : answers_(std::move(answers)) {
        connect(&poll_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            shown.push_back({box->text(), box->icon(), box->standardButtons()});
            const size_t i = shown.size() - 1;
            const QMessageBox::StandardButton answer =
                answers_.empty() ? QMessageBox::Ok : answers_[std::min(i, answers_.size() - 1)];
            if (QAbstractButton* button = box->button(answer)) {
                button->click();
            } else {
                box->reject();
            }
        });
        poll_.start(10);
    }

    std::vector<Shown> shown;

private:
    std::vector<QMessageBox::StandardButton> answers_;
    QTimer poll_;
};

}  // namespace tripdesk::testing
