#pragma once
// The table of settings keys: section, key name, whether it is read at start
// and written at exit, and the field that holds it, in the order the program
// reads them. The reader and the writer of app/settings.cpp walk it; nothing
// else lists the keys.
#include "app/settings.h"

namespace tripdesk::app {

enum KeyFlags : unsigned {
    kRead = 1,
    kWrite = 2,
    kGeometry = 4,  // written only while the main window's state is normal
};

struct KeyInfo {
    const char* section;
    const char* key;
    unsigned flags;
};

// Calls visit(KeyInfo, field) for every key; S is Settings or const Settings.
template <class S, class Visit>
void for_each_settings_key(S& s, Visit&& visit) {
    constexpr unsigned RW = kRead | kWrite;
    auto& m = s.frm_main;
    // WindowState before the geometry: the writer needs it first, and reading
    // order does not matter for these keys.
    visit(KeyInfo{"FRM_MAIN", "WindowState", RW}, m.WindowState);
    visit(KeyInfo{"FRM_MAIN", "FormTop", RW | kGeometry}, m.FormTop);
    visit(KeyInfo{"FRM_MAIN", "FormLeft", RW | kGeometry}, m.FormLeft);
    visit(KeyInfo{"FRM_MAIN", "FormHeight", RW | kGeometry}, m.FormHeight);
    visit(KeyInfo{"FRM_MAIN", "FormWidth", RW | kGeometry}, m.FormWidth);
    visit(KeyInfo{"FRM_MAIN", "CalenSelDate", RW}, m.CalenSelDate);
    visit(KeyInfo{"FRM_MAIN", "CalenEndDate", RW}, m.CalenEndDate);
    visit(KeyInfo{"FRM_MAIN", "ActMonthOnly", RW}, m.ActMonthOnly);
    visit(KeyInfo{"FRM_MAIN", "Administrator", kRead}, m.Administrator);
    visit(KeyInfo{"FRM_MAIN", "DriveLetter", kWrite}, m.DriveLetter);
    visit(KeyInfo{"FRM_MAIN", "VirtDrive", kWrite}, m.VirtDrive);
    visit(KeyInfo{"PROXY", "Server", RW}, s.proxy.Server);
    visit(KeyInfo{"PROXY", "Port", RW}, s.proxy.Port);
    visit(KeyInfo{"FRM_MAIN", "DatumDel", kRead}, m.DatumDel);
    visit(KeyInfo{"FRM_MAIN", "CisloDel", kRead}, m.CisloDel);
    visit(KeyInfo{"FRM_MAIN", "GeoDelay", kRead}, m.GeoDelay);
    visit(KeyInfo{"FRM_MAIN", "CasoveOkno", kRead}, m.CasoveOkno);
    visit(KeyInfo{"FRM_MAIN", "Koeficient", kRead}, m.Koeficient);
    visit(KeyInfo{"FRM_MAIN", "Force20byte", kRead}, m.Force20byte);
    visit(KeyInfo{"FRM_MAIN", "GeoService", kRead}, m.GeoService);
    visit(KeyInfo{"FRM_MAIN", "GeoCaFile", kRead}, m.GeoCaFile);
    visit(KeyInfo{"FRM_READSN", "SerialPort", RW}, s.frm_readsn.SerialPort);
    visit(KeyInfo{"FRM_SWUP", "SerialPort", RW}, s.frm_swup.SerialPort);
    visit(KeyInfo{"FRM_SUKJAZ", "SukrOnly", RW}, s.frm_sukjaz.SukrOnly);
    visit(KeyInfo{"FRM_SUKJAZ", "Nenulove", RW}, s.frm_sukjaz.Nenulove);
    auto& e = s.frm_setexp;
    visit(KeyInfo{"FRM_SETEXP", "ResolutionKJ", RW}, e.ResolutionKJ);
    visit(KeyInfo{"FRM_SETEXP", "ResolutionKML", RW}, e.ResolutionKML);
    visit(KeyInfo{"FRM_SETEXP", "ResolutionHTML", RW}, e.ResolutionHTML);
    visit(KeyInfo{"FRM_SETEXP", "ZastaveniaHTML", RW}, e.ZastaveniaHTML);
    visit(KeyInfo{"FRM_SETEXP", "OutputDirKJ", RW}, e.OutputDirKJ);
    visit(KeyInfo{"FRM_SETEXP", "OutputDirKML", RW}, e.OutputDirKML);
    visit(KeyInfo{"FRM_SETEXP", "OutputDirHTML", RW}, e.OutputDirHTML);
    visit(KeyInfo{"FRM_SETEXP", "EmailKJ", RW}, e.EmailKJ);
    visit(KeyInfo{"FRM_SETEXP", "EmailKML", RW}, e.EmailKML);
    visit(KeyInfo{"FRM_SETEXP", "EmailHTML", RW}, e.EmailHTML);
    visit(KeyInfo{"FRM_SETEXP", "IgnoreSluz", RW}, e.IgnoreSluz);
    visit(KeyInfo{"FRM_SETEXP", "IgnoreKrat", RW}, e.IgnoreKrat);
    visit(KeyInfo{"FRM_SETEXP", "DatabasesMRP", RW}, e.DatabasesMRP);
    visit(KeyInfo{"FRM_SETEXP", "TimeOffMRP", RW}, e.TimeOffMRP);
    auto& p = s.frm_setprg;
    visit(KeyInfo{"FRM_SETPRG", "Language", RW}, p.Language);
    visit(KeyInfo{"FRM_SETPRG", "GoogleEarthDir", RW}, p.GoogleEarthDir);
    visit(KeyInfo{"FRM_SETPRG", "KnihaJazdDir", RW}, p.KnihaJazdDir);
    visit(KeyInfo{"FRM_SETPRG", "GmapsKey", RW}, p.GmapsKey);
    auto& mail = s.email;
    visit(KeyInfo{"EMAIL", "Host", RW}, mail.Host);
    visit(KeyInfo{"EMAIL", "Port", kRead}, mail.Port);
    visit(KeyInfo{"EMAIL", "Username", RW}, mail.Username);
    visit(KeyInfo{"EMAIL", "Password", RW}, mail.Password);
    visit(KeyInfo{"EMAIL", "Address", RW}, mail.Address);
    visit(KeyInfo{"EMAIL", "Sender", RW}, mail.Sender);
    visit(KeyInfo{"EMAIL", "Signature", RW}, mail.Signature);
    auto& d = s.frm_dlr4470;
    visit(KeyInfo{"FRM_DLR4470", "Prac_od", RW}, d.Prac_od);
    visit(KeyInfo{"FRM_DLR4470", "Prac_do", RW}, d.Prac_do);
    visit(KeyInfo{"FRM_DLR4470", "Koeficient", RW}, d.Koeficient);
    visit(KeyInfo{"FRM_DLR4470", "LenPracovne", RW}, d.LenPracovne);
    visit(KeyInfo{"FRM_DLR4470", "PouzitTagy", RW}, d.PouzitTagy);
}

}  // namespace tripdesk::app
