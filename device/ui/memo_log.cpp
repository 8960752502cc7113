#include "device/ui/memo_log.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace tripdesk::device::ui {

void MemoLog::clear() {
    memo_->clear();
    after_cr_ = false;
}

void MemoLog::add_line(const std::string& text) {
    memo_->appendPlainText(QString::fromStdString(text));
    after_cr_ = false;
}

void MemoLog::append(const std::string& text) {
    insert_at_end(" " + QString::fromStdString(text));
    after_cr_ = false;
}

void MemoLog::append_raw(const std::string& text) {
    // Received bytes are shown one character per byte, line breaks as breaks.
    QString shown;
    for (const char c : text) {
        const bool second_half_of_crlf = c == '\n' && after_cr_;
        after_cr_ = c == '\r';
        if (second_half_of_crlf) continue;
        shown += (c == '\r' || c == '\n') ? QChar('\n') : QChar::fromLatin1(c);
    }
    insert_at_end(shown);
}

void MemoLog::insert_at_end(const QString& text) {
    QTextCursor cursor(memo_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    memo_->verticalScrollBar()->setValue(memo_->verticalScrollBar()->maximum());
}

}  // namespace tripdesk::device::ui
