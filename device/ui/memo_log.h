#pragma once
// The status log shown in a read-only memo.
#include <QString>

#include "device/status_log.h"

class QPlainTextEdit;

namespace tripdesk::device::ui {

class MemoLog final : public StatusLog {
public:
    explicit MemoLog(QPlainTextEdit* memo) : memo_(memo) {}
    void clear() override;
    void add_line(const std::string& text) override;
    void append(const std::string& text) override;
    void append_raw(const std::string& text) override;

private:
    void insert_at_end(const QString& text);
    QPlainTextEdit* memo_;
    bool after_cr_ = false;  // a line feed right after a carriage return ends no second line
};

}  // namespace tripdesk::device::ui
