#pragma once
// A Progress for commands: status texts go to stderr, one per line, and the
// readability pauses are skipped (pacing waits of a service are not pauses).
#include <cstdio>

#include "common/progress.h"

namespace tripdesk::cli {

class StatusProgress final : public Progress {
public:
    void status(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

}  // namespace tripdesk::cli
