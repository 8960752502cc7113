// `tripdesk logger find | import [--vehicle SHORT] | erase --yes |
// convert DUMPFILE --vehicle SHORT`: the logger import without the window.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <cstdlib>

#include "cli/cli_settings.h"
#include "cli/command.h"
#include "import/dump_conversion.h"
#include "import/logger_import.h"
#include "track/vehicle_list.h"

namespace tripdesk::cli {

namespace {

std::vector<track::Vehicle> vehicles_of(const CommandSettings& cs) {
    track::SectionEntries entries;
    for (const auto& [key, value] : cs.ini.entries("CAR_LIST")) entries.push_back({key, value});
    return track::read_vehicle_list(entries);
}

import::ConversionOptions options_of(const CommandSettings& cs) {
    const auto& d = cs.settings.frm_dlr4470;
    import::ConversionOptions o;
    o.multiplier = d.Koeficient == 0.0 ? 1.0 : d.Koeficient;
    o.working_hours_only = d.LenPracovne;
    o.first_hour = std::atoi(d.Prac_od.c_str());
    o.last_hour = std::atoi(d.Prac_do.c_str());
    o.tag_mode = d.PouzitTagy;
    return o;
}

std::string vehicle_text(const track::Vehicle& v) { return "[" + v.registration + "]  " + v.description; }

// The vehicle named by --vehicle: its list entry, else the short name alone.
track::Vehicle named_vehicle(const std::string& short_name, const std::vector<track::Vehicle>& vehicles) {
    const std::string upper = track::latin_upper(short_name);
    for (const auto& v : vehicles) {
        if (v.registration == upper) return v;
    }
    return track::Vehicle{"", upper, ""};
}

void print_not_found() { std::fprintf(stderr, "Zariadenie DLR4470 nebolo nájdené na USB porte !\n"); }

int run_find(const CommandSettings& cs) {
    const auto vehicles = vehicles_of(cs);
    const auto found = import::find_logger(vehicles);
    if (!found) {
        print_not_found();
        return kFailed;
    }
    std::printf("COM%d\nID: %s\n", found->port, found->id_text.c_str());
    if (found->matched >= 0) {
        std::printf("%s\n", vehicle_text(vehicles[static_cast<size_t>(found->matched)]).c_str());
    } else {
        std::printf("-\n");
    }
    return kOk;
}

int run_import(const CommandSettings& cs, const std::string& vehicle_option) {
    const auto vehicles = vehicles_of(cs);
    const auto found = import::find_logger(vehicles);
    if (!found) {
        print_not_found();
        return kFailed;
    }
    track::Vehicle vehicle;
    if (found->matched >= 0) {
        vehicle = vehicles[static_cast<size_t>(found->matched)];
    } else if (!vehicle_option.empty()) {
        vehicle = named_vehicle(vehicle_option, vehicles);
    } else {
        std::fprintf(stderr, "ID: %s: no vehicle of the list has this ID; name one with --vehicle SHORT\n",
                     found->id_text.c_str());
        return kFailed;
    }
    NoProgress progress;
    // The command line never asks: an existing folder counts as confirmed.
    const import::ImportRequest request{cs.data_folder, vehicle, options_of(cs)};
    const import::ImportResult result = import::import_from_logger(request, [] { return true; }, progress);
    switch (result.outcome) {
        case import::ImportOutcome::NotFound:
            print_not_found();
            return kFailed;
        case import::ImportOutcome::Declined:
            std::fprintf(stderr, "Spracovanie záznamov prerušené užívateľom ...\n");
            return kFailed;
        case import::ImportOutcome::DumpFailed:
            std::fprintf(stderr, "Chyba pri čítaní záznamov zo zariadenia DLR4470: %d\n", result.dump_code);
            return kFailed;
        case import::ImportOutcome::Done:
            break;
    }
    std::printf("%s\n", vehicle_text(vehicle).c_str());
    for (const auto& name : result.day_files) std::printf("%s\n", name.c_str());
    std::printf("Spracovanie údajov úspešne dokončené !!!\n");
    return kOk;
}

int run_erase() {
    const std::optional<int> result = import::erase_logger();
    if (!result) {
        print_not_found();
        return kFailed;
    }
    if (*result != 13) {
        std::fprintf(stderr, "Chyba počas mazania pamäti: %d\n", *result);
        return kFailed;
    }
    std::printf("Pamäť bola úspešne vymazaná !!!\n");
    return kOk;
}

int run_convert(const CommandSettings& cs, const std::string& dump, const std::string& vehicle_option) {
    const auto vehicle = named_vehicle(vehicle_option, vehicles_of(cs));
    const std::string folder = import::vehicle_folder(cs.data_folder, vehicle.registration);
    std::filesystem::create_directories(folder);
    NoProgress progress;
    for (const auto& name : import::convert_dump_file(dump, folder, options_of(cs), progress))
        std::printf("%s\n", name.c_str());
    return kOk;
}

int run_logger(const GlobalOptions& global, std::vector<std::string> args) {
    if (args.empty()) throw UsageError{"logger needs find, import, erase or convert"};
    const std::string action = args.front();
    args.erase(args.begin());
    const std::string vehicle = take_option(args, "--vehicle");
    const bool yes = take_flag(args, "--yes");
    if (action == "find" && args.empty()) return run_find(load_command_settings(global));
    if (action == "import" && args.empty()) return run_import(load_command_settings(global), vehicle);
    if (action == "erase" && args.empty()) {
        if (!yes) throw UsageError{"logger erase erases the logger's whole memory: confirm with --yes"};
        return run_erase();
    }
    if (action == "convert" && args.size() == 1) {
        if (vehicle.empty()) throw UsageError{"logger convert needs --vehicle SHORT"};
        return run_convert(load_command_settings(global), args.front(), vehicle);
    }
    throw UsageError{"unknown logger command form"};
}

const CommandRegistration registration(
    "logger",
    "logger find | import [--vehicle SHORT] | erase --yes | convert DUMPFILE --vehicle SHORT",
    run_logger);

}  // namespace
}  // namespace tripdesk::cli
