#pragma once
// The device windows' status log: the exchanges add lines and complete the
// last one ("- reading serial number ..." + " OK"). The window shows it in
// its memo, the command line prints it, tests read the lines.
#include <string>
#include <vector>

namespace tripdesk::device {

class StatusLog {
public:
    virtual ~StatusLog() = default;
    virtual void clear() = 0;
    virtual void add_line(const std::string& text) = 0;
    // Joins the last line, one blank and the text.
    virtual void append(const std::string& text) = 0;
    // Joins the text to the last line as it is; line breaks in it start
    // new lines (the terminal's received bytes).
    virtual void append_raw(const std::string& text) = 0;
};

// A log kept as lines in memory.
class LineLog : public StatusLog {
public:
    void clear() override {
        lines_.clear();
        after_cr_ = false;
    }
    void add_line(const std::string& text) override;
    void append(const std::string& text) override;
    void append_raw(const std::string& text) override;
    const std::vector<std::string>& lines() const { return lines_; }
    // All lines, each ended by "\n".
    std::string text() const;

private:
    std::vector<std::string> lines_;
    bool after_cr_ = false;  // a line feed right after it ends no second line
};

}  // namespace tripdesk::device
