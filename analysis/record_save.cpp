#include "analysis/record_save.h"

#include "common/atomic_file.h"
#include "common/c_format.h"
#include "export/file_extension.h"

#include <algorithm>

namespace tripdesk::analysis {

namespace {

// Only the first character of a separator setting counts; an empty setting
// keeps the program's own separator.
char first_or(const std::string& setting, char fallback) { return setting.empty() ? fallback : setting.front(); }

// "DD/MM/YY" becomes "DD" sep "MM" sep "20YY".
std::string csv_date(const std::string& date, char separator) {
    return date.substr(0, 2) + separator + date.substr(3, 2) + separator + "20" + date.substr(6);
}

}  // namespace

std::string with_csv_extension(const std::string& name) {
    return exports::with_extension(name, ".CSV");
}

std::string proposed_save_name(const std::string& vehicle_label, const std::string& day_file_name) {
    return "det_" + vehicle_label + "_" + day_file_name.substr(0, 6) + ".CSV";
}

std::string csv_text(const RecordAnalysis& a, const std::string& datum_del) {
    const char separator = first_or(datum_del, '/');
    std::string text;
    for (size_t i = 0; i < a.records.size(); ++i) {
        RowCells cells = row_cells(a.records[i], static_cast<int>(i));
        cells[1] = csv_date(cells[1], separator);
        for (int c = 0; c < kColumnCount - 1; ++c) {  // the driver key column is not saved
            if (c > 0) text += ';';
            text += cells[c];
        }
        text += "\r\n";
    }
    return text;
}

std::string txt_text(const RecordAnalysis& a, const std::string& cislo_del) {
    const char separator = first_or(cislo_del, '.');
    std::string text;
    for (const auto& r : a.records) {
        std::string line = c_format("%10.6f %10.6f %3d %3d %3d %5d", static_cast<double>(r.Alt),
                                    static_cast<double>(r.Lon), r.Crs, r.Tag, r.Sats, r.Speed);
        std::replace(line.begin(), line.end(), '.', separator);
        text += line + "\r\n";
    }
    return text;
}

std::string save_csv(const std::string& path, const RecordAnalysis& a, const std::string& datum_del) {
    const std::string target = with_csv_extension(path);
    write_file_atomically(target, csv_text(a, datum_del));
    return target;
}

std::string save_txt(const std::string& path, const RecordAnalysis& a, const std::string& cislo_del) {
    const std::string target = with_csv_extension(path);
    write_file_atomically(target, txt_text(a, cislo_del));
    return target;
}

}  // namespace tripdesk::analysis
