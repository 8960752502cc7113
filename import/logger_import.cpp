#include "import/logger_import.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/atomic_file.h"
#include "common/c_format.h"
#include "common/io_error.h"
#include "devlib/dlr4470.h"

namespace tripdesk::import {

namespace {

// One level; an existing folder is fine.
void make_folder(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) throw_errno(path);
}

bool is_folder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Enters dump mode by searching; the found COM number, or nothing.
std::optional<int> enter_dump_mode() {
    QV_DLR4470_EXIT_DUMP_MODE();
    int32_t port = 0;
    if (QV_DLR4470_AUTO_INTO_DUMP_MODE(&port) != DLR4470_IN_DUMP_MODE) return std::nullopt;
    return port;
}

}  // namespace

int match_vehicle(const std::string& id_text, const std::vector<track::Vehicle>& vehicles) {
    int matched = -1;
    for (size_t i = 0; i < vehicles.size(); ++i) {
        if (vehicles[i].key == id_text) matched = static_cast<int>(i);
    }
    return matched;
}

std::optional<FoundLogger> find_logger(const std::vector<track::Vehicle>& vehicles) {
    const std::optional<int> port = enter_dump_mode();
    if (!port) {
        QV_DLR4470_EXIT_DUMP_MODE();
        return std::nullopt;
    }
    FoundLogger found;
    found.port = *port;
    char version[16] = {};
    char name[64] = {};
    QV_DLR4470_READ_DEVICE_INFORMATION(*port & 0xFF, &found.serial, version, name);
    found.id_text = c_format("%0.10d", found.serial);
    found.matched = match_vehicle(found.id_text, vehicles);
    QV_DLR4470_EXIT_DUMP_MODE();
    return found;
}

std::string safe_folder_name(const std::string& short_name) {
    std::string name;
    for (unsigned char c : short_name) {
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\') continue;
        name += static_cast<char>(c);
    }
    while (!name.empty() && (name.front() == '.' || name.front() == ' ')) name.erase(0, 1);
    if (name.empty()) return "DL-R4470";
    return name;
}

std::string vehicle_folder(const std::string& data_folder, const std::string& short_name) {
    return data_folder + "_images/" + safe_folder_name(short_name) + "/";
}

std::string dump_file_path(const std::string& data_folder) { return data_folder + "dlr4470_dump.tmp"; }

ImportResult import_from_logger(const ImportRequest& request, const std::function<bool()>& confirm,
                                Progress& progress) {
    ImportResult result;
    const std::optional<int> port = enter_dump_mode();
    if (!port) {
        QV_DLR4470_EXIT_DUMP_MODE();
        return result;
    }
    struct LeaveDumpMode {
        ~LeaveDumpMode() { QV_DLR4470_EXIT_DUMP_MODE(); }
    } leave;

    const std::string folder = vehicle_folder(request.data_folder, request.vehicle.registration);
    if (is_folder(folder)) {
        if (!confirm()) {
            result.outcome = ImportOutcome::Declined;
            return result;
        }
    } else {
        // A fresh installation has no "_images" yet.
        make_folder(request.data_folder + "_images");
        make_folder(folder);
    }
    write_file_atomically(folder + "_image.inf",
                          safe_folder_name(request.vehicle.registration) + "\n[NONE]\n4 MB\n[NONE]\n[NONE]\n");

    // An earlier reading's dump must never pass for this one.
    const std::string dump = dump_file_path(request.data_folder);
    if (::unlink(dump.c_str()) != 0 && errno != ENOENT) throw_errno(dump);
    progress.status("Čakajte prosím, čítanie záznamov trvá cca 20 sekúnd");
    progress.pause(300);
    result.dump_code = QV_DLR4470_DUMP_DB(*port & 0xFF, dump.c_str());
    progress.status("Prebieha spracovanie záznamov ...");
    if (result.dump_code != DLR4470_DUMP_FINISHED) {
        result.outcome = ImportOutcome::DumpFailed;
        return result;
    }
    result.day_files = convert_dump_file(dump, folder, request.options, progress);
    result.outcome = ImportOutcome::Done;
    return result;
}

std::optional<int> erase_logger() {
    int32_t port = 0;
    std::optional<int> result;
    if (QV_DLR4470_AUTO_INTO_DUMP_MODE(&port) == DLR4470_IN_DUMP_MODE) result = QV_DLR4470_ERASE_All_DB(port & 0xFF);
    QV_DLR4470_EXIT_DUMP_MODE();
    return result;
}

}  // namespace tripdesk::import
