#pragma once
// Showing the result of the HTML export: the one page in the web browser, or
// the output folder in the file browser. The program opens through the
// desktop; tests record what would have been opened.
#include <string>

namespace tripdesk {

class Opener {
public:
    virtual ~Opener() = default;
    virtual void open_page(const std::string& path) = 0;
    virtual void open_folder(const std::string& path) = 0;
};

}  // namespace tripdesk
