#include "app/card_scan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <chrono>
#include <map>
#include <memory>

#include "common/atomic_file.h"
#include "common/c_format.h"
#include "common/io_error.h"
#include "track/cp1250.h"
#include "track/path_lookup.h"

namespace tripdesk::app {

namespace {

bool is_regular_file(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The folder's regular files by upper-cased name, listed once per scan in
// place of a probe per day and name.
class FolderIndex {
public:
    explicit FolderIndex(const std::string& folder) : folder_(folder) {
        std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
        if (!dir) throw_errno(folder);
        while (const dirent* e = ::readdir(dir.get())) {
            const std::string name = e->d_name;
            if (name.size() != 10) continue;  // only DDMMYY.GPS / DDMMYY.TXT matter here
            const std::string key = track::upper_ascii(name);
            auto [it, inserted] = names_.emplace(key, name);
            if (!inserted && name == key) it->second = name;  // the exact spelling wins
        }
    }

    // Full path of an existing regular file with that name, ignoring case.
    std::string find(const std::string& upper_name) const {
        const auto it = names_.find(upper_name);
        if (it == names_.end()) return {};
        std::string path = track::join_path(folder_, it->second);
        return is_regular_file(path) ? path : std::string();
    }
    std::string actual_name(const std::string& upper_name) const { return names_.at(upper_name); }

private:
    std::string folder_;
    std::map<std::string, std::string> names_;
};

std::string first_line(const std::string& bytes) {
    const size_t end = bytes.find_first_of("\r\n");
    return track::legacy_text_to_utf8(std::string_view(bytes).substr(0, end));
}

int days_in_month(int year, int month) {
    using namespace std::chrono;
    return static_cast<int>(static_cast<unsigned>(
        year_month_day_last(std::chrono::year(year), month_day_last(std::chrono::month(static_cast<unsigned>(month))))
            .day()));
}

}  // namespace

ScanTexts scan_texts(const LanguageStrings& strings) {
    return {strings[vyp02], strings[vyp03], strings[vyp04], strings[bar03], strings[bar04]};
}

std::string scan_count_line(const ScanTexts& texts, int found) {
    return texts.vyp03 + c_format(" %d (", found) + texts.vyp04 + " 1)";
}

std::string unavailable_drive_text(const std::string& drive) {
    return " - jednotka: \"" + drive + "\"  nieje dostupná !!!";
}

CardScanResult scan_card(const ScanRequest& request, const ScanTexts& texts, Progress& progress,
                         const RowFound& on_row) {
    progress.status(texts.bar04 + " \"" + request.folder + "\"  ");
    const FolderIndex index(request.folder);
    progress.maximum(request.month_only ? 31 : 365);
    progress.title(texts.vyp02);
    progress.position(1);
    progress.pump();
    progress.pause(200);

    CardScanResult result;
    double total = 0.0;
    double private_total = 0.0;
    std::string buffer;
    const int first_month = request.month_only ? request.month : 1;
    const int last_month = request.month_only ? request.month : 12;
    for (int month = first_month; month <= last_month; ++month) {
        const int days = days_in_month(request.year, month);
        for (int day = 1; day <= days; ++day) {
            const std::string base = c_format("%.2d%.2d%.2d", day, month, request.year - 2000);
            progress.step();
            const std::string day_path = index.find(base + ".GPS");
            if (day_path.empty()) continue;
            // The note is read only for listed days: an unreadable note of a
            // day without trips does not end the scan.
            std::string note;
            if (const std::string note_path = index.find(base + ".TXT"); !note_path.empty())
                note = first_line(read_whole_file(note_path));

            track::read_day_file_into(day_path, buffer);
            GridRow row;
            row.summary = track::analyze_day_bytes(buffer, request.day_files);
            row.year = request.year;
            row.month = month;
            row.day = day;
            row.date = c_format("%.2d/%.2d/%.2d", day, month, request.year - 2000);
            row.file = index.actual_name(base + ".GPS");
            row.note = std::move(note);
            row.distance = c_format("%.2f km", row.summary.Prejd);
            row.max_speed = c_format("%d km/h", row.summary.MaxRych);
            row.warning = row.summary.Pozn;
            total += row.summary.Prejd;
            private_total += row.summary.PrejdSukr;
            result.rows.push_back(std::move(row));
            if (on_row) on_row(result.rows.back(), static_cast<int>(result.rows.size()));
            progress.status(texts.bar03 + " \"" + result.rows.back().file + "\" ...");
            progress.pump();
        }
    }
    if (request.ignore_private) private_total = 0.0;
    result.total_km = total;
    result.private_km = private_total;
    result.total_text = c_format("%.1f km", total);
    result.private_text = c_format("%.1f km", private_total);
    return result;
}

}  // namespace tripdesk::app
