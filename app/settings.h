#pragma once
// The program's settings: every key of the settings file, typed, with its
// default. One Settings object lives for the whole run; the windows edit it
// live and every operation reads its current values from it. Fields are named
// exactly as the keys in the file, grouped by section:
//
//   settings.frm_setexp.ResolutionKJ      [FRM_SETEXP] ResolutionKJ
//   settings.email.Host                   [EMAIL] Host
//
// Read-only keys ("R") are set by editing the file by hand and are never
// written; write-only keys (DriveLetter, VirtDrive) are never read.
//
// The two program paths of [FRM_SETPRG] are stored crosswise and kept so,
// because stored files rely on it: GoogleEarthDir holds the path of the
// logbook program (menu "Spustiť program Kniha Jázd") and KnihaJazdDir the
// path of Google Earth. Use logbook_program_path() / google_earth_path().
//
// The catalogue sections CAR_LIST and CAS_OKNO are not part of this object:
// read them from the IniFile with IniFile::entries() / key_names().
#include <chrono>
#include <optional>
#include <string>

#include "app/ini_file.h"

namespace tripdesk::app {

using CalendarDate = std::chrono::year_month_day;

// The main window's design geometry, used when the file has none.
constexpr int kDesignFormLeft = 80;
constexpr int kDesignFormTop = 60;
constexpr int kDesignFormWidth = 1040;
constexpr int kDesignFormHeight = 720;

struct Settings {
    struct FrmMain {
        int FormTop = kDesignFormTop;
        int FormLeft = kDesignFormLeft;
        int FormHeight = kDesignFormHeight;
        int FormWidth = kDesignFormWidth;
        // "wsNormal", "wsMinimized" or "wsMaximized"; the window ignores any
        // other text and keeps its designed state.
        std::string WindowState = "wsNormal";
        // Unset: the calendar shows today. A date the file cannot give leaves it unset.
        std::optional<CalendarDate> CalenSelDate;
        std::optional<CalendarDate> CalenEndDate;
        bool ActMonthOnly = false;
        bool Administrator = false;  // R: enables deleting day files
        std::string DatumDel = "/";  // R: date separator of CSV outputs
        std::string CisloDel = ".";  // R: decimal separator of CSV outputs (first character counts)
        int GeoDelay = 100;          // R: ms before each reverse-geocoding request
        bool CasoveOkno = false;     // R: map view asks for a time window first
        double Koeficient = 1.0;     // R: distance multiplier of every day-file reader
        bool Force20byte = false;    // R: read every day file in 20-byte records
        // R: reverse-geocoding endpoint and an extra CA file for its TLS check
        // (empty: the system's certificates).
        std::string GeoService = "https://maps.googleapis.com/maps/api/geocode/xml";
        std::string GeoCaFile;
        // W only: the current drive ("E:\"-style entry text or mount point)
        // and the open card image's folder.
        std::string DriveLetter;
        std::string VirtDrive;
    } frm_main;

    struct Proxy {
        std::string Server;
        int Port = 0;
    } proxy;

    struct FrmReadsn {
        std::string SerialPort = "COM1";
    } frm_readsn;

    struct FrmSwup {
        std::string SerialPort = "COM1";
    } frm_swup;

    struct FrmSukjaz {
        bool SukrOnly = false;
        bool Nenulove = true;
    } frm_sukjaz;

    struct FrmSetexp {
        int ResolutionKJ = 250;    // metres
        int ResolutionKML = 50;    // metres
        int ResolutionHTML = 50;   // metres
        int ZastaveniaHTML = 110;  // seconds
        std::string OutputDirKJ;   // defaults: see default_settings()
        std::string OutputDirKML;
        std::string OutputDirHTML;
        bool EmailKJ = false;
        bool EmailKML = false;
        bool EmailHTML = false;
        bool IgnoreSluz = true;
        bool IgnoreKrat = false;
        std::string DatabasesMRP;
        int TimeOffMRP = 2;  // half hours, -24 to 24
    } frm_setexp;

    struct FrmSetprg {
        int Language = 0;            // language chooser index 0-3 (language number - 1)
        std::string GoogleEarthDir;  // the logbook program's path (crosswise, see above)
        std::string KnihaJazdDir;    // Google Earth's path (crosswise, see above)
        std::string GmapsKey;
    } frm_setprg;

    struct Email {
        std::string Host = "smtp.example.com";
        int Port = 25;  // R: SMTP port, set by hand
        std::string Username = "jazdy@example.com";
        std::string Password;  // plain text, as the file stores it
        std::string Address = "kniha.jazd@example.com";
        std::string Sender = "jazdy@example.com";
        std::string Signature = "Ján Vzorový";
    } email;

    struct FrmDlr4470 {
        std::string Prac_od = "07";
        std::string Prac_do = "17";
        double Koeficient = 1.0;
        bool LenPracovne = false;
        bool PouzitTagy = false;
    } frm_dlr4470;

    const std::string& logbook_program_path() const { return frm_setprg.GoogleEarthDir; }
    const std::string& google_earth_path() const { return frm_setprg.KnihaJazdDir; }
};

// Defaults of every key. The folder defaults are the Linux counterparts of
// the Windows "C:\..." folders, under the user's home folder (no trailing
// slash): see default_folders().
Settings default_settings(const std::string& user_home);

// The user's home folder: $HOME, else the password database, else "/".
std::string user_home_folder();

// The folders the program proposes on Linux in place of the Windows defaults.
struct DefaultFolders {
    std::string logbook_output;       // "C:\Program Files\TRANiS\Kniha jízd\KJ_GPS"
    std::string kml_output;           // "C:\_KML_files"
    std::string html_output;          // "C:\_HTML_files"
    std::string mrp_databases;        // "C:\Program Files\MRP\Podvojné účtovníctvo\Data0001"
    std::string mrp_databases_reset;  // the same with "DATA0001" (export window's reset)
    std::string mrp_design;           // "C:\_MRP_bazy" (export window's design value)
};
DefaultFolders default_folders(const std::string& user_home);

// Reads every "R" key from the file over `defaults`; a missing key or an
// unreadable number, boolean or date keeps the default.
Settings read_settings(const IniFile& ini, const Settings& defaults);

// Writes every "W" key into the file, keeping all its other lines.
// WindowState comes first; the four geometry keys are written only when the
// state is "wsNormal", so a maximised exit keeps the file's geometry.
void write_settings(const Settings& settings, IniFile& ini);

// Dates in the file: written as "YYYY-MM-DD"; read from that form or from
// the Slovak short form "D.M.YYYY" of files written by earlier versions.
std::optional<CalendarDate> parse_settings_date(std::string_view text);
std::string format_settings_date(const CalendarDate& date);

}  // namespace tripdesk::app
