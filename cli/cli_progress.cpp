#include "cli/cli_progress.h"

#include <unistd.h>

#include <algorithm>

namespace tripdesk::cli {

namespace {
constexpr int kBarWidth = 30;
constexpr size_t kStatusWidth = 60;
}  // namespace

TerminalProgress::TerminalProgress(std::FILE* out) : out_(out), enabled_(::isatty(::fileno(out)) == 1) {}

TerminalProgress::~TerminalProgress() {
    if (enabled_ && drawn_) std::fputs("\n", out_);
}

void TerminalProgress::title(const std::string& text) {
    title_ = text;
    draw();
}

void TerminalProgress::maximum(int max) {
    max_ = max;
    pos_ = 0;
    draw();
}

void TerminalProgress::position(int pos) {
    pos_ = pos;
    draw();
}

void TerminalProgress::step() {
    ++pos_;
    // Redraw only when the bar moves visibly: a year's scan steps 365 times.
    const int permille = max_ > 0 ? pos_ * 1000 / max_ : 0;
    if (permille / 10 != last_permille_ / 10) draw();
}

void TerminalProgress::status(const std::string& text) {
    status_ = text;
    draw();
}

void TerminalProgress::draw() {
    if (!enabled_) return;
    const int filled = max_ > 0 ? std::min(kBarWidth, pos_ * kBarWidth / max_) : 0;
    last_permille_ = max_ > 0 ? pos_ * 1000 / max_ : 0;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.resize(kBarWidth, '.');
    size_t cut = std::min(status_.size(), kStatusWidth);
    while (cut > 0 && cut < status_.size() && (static_cast<unsigned char>(status_[cut]) & 0xC0) == 0x80) --cut;
    const std::string status = status_.substr(0, cut);
    // "\r" and clear-to-end-of-line keep the bar on one line.
    std::fprintf(out_, "\r%s [%s] %s\x1b[K", title_.c_str(), bar.c_str(), status.c_str());
    std::fflush(out_);
    drawn_ = true;
}

}  // namespace tripdesk::cli
