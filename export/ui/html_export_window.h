#pragma once
// The main window's side of the HTML map export: gathers the selection, the
// current drive, the vehicle and the settings from Tfrm_main, runs the
// export with the progress panel and shows what came of it. The time-window
// dialog calls GenerujHTML with its two texts.
#include "export/html_export.h"
#include "export/html_opener.h"

class Tfrm_main;

namespace tripdesk {
class ProcessStarter;
}

namespace tripdesk::ui {

// Tfrm_main.GenerujHTML: the converter started from "_gmaps" beside the
// program, the result opened on the desktop.
void GenerujHTML(Tfrm_main& main, const TimeWindow& window);

// The same with the converter start and the opening supplied by the caller.
void GenerujHTML(Tfrm_main& main, const TimeWindow& window, ProcessStarter& starter, Opener& opener);

// Opens pages in the default web browser and folders in the file browser.
class DesktopOpener final : public Opener {
public:
    void open_page(const std::string& path) override;
    void open_folder(const std::string& path) override;
};

}  // namespace tripdesk::ui
