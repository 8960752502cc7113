// Writes the seed corpus of every fuzz target: small, well-formed inputs of
// each parser, made here by code. `make_seeds OUTDIR` writes OUTDIR/<target>/.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>

#include "app/image_info.h"
#include "app/settings_file.h"
#include "common/atomic_file.h"
#include "devlib/firmware_file.h"
#include "export/dbase/dbase_fixture.h"
#include "export/dbase/dbf_table.h"
#include "export/dbase/mdx_file.h"
#include "export/dbase/tag_keys.h"
#include "fuzz/dbase_sample.h"
#include "track/cp1250.h"
#include "track/day_file_writer.h"
#include "track/place_catalogue.h"

using namespace tripdesk;
using namespace tripdesk::track;

namespace {

using Seeds = std::vector<std::string>;

std::string nul_joined(std::initializer_list<std::string_view> parts) {
    std::string out;
    bool first = true;
    for (const std::string_view p : parts) {
        if (!first) out += '\0';
        out += p;
        first = false;
    }
    return out;
}

// A day of driving: a trip start, fixes every few seconds, one private record.
DayFileWriter day(uint32_t marker, int records) {
    DayFileWriter f(marker);
    for (int i = 0; i < records; ++i) {
        f.add(fix(15, 3, 2009)
                  .time(8, i / 60, i % 60)
                  .speed(20 + i * 7 % 120)
                  .course(i * 13 % 360)
                  .trian(150 + i * 3)
                  .alt(180 + i)
                  .lon(17.1f + 0.001f * float(i))
                  .lat(48.1f + 0.0005f * float(i))
                  .new_trip(i == 0)
                  .priv(i == records - 1),
              0x78563412u + uint32_t(i / 4));
    }
    return f;
}

Seeds day_file_seeds() {
    const std::string keyed = day(kMarkerWithKey, 12).bytes();
    const std::string plain = day(kMarkerImported, 12).bytes();
    DayFileWriter damaged(kMarkerWithKey);
    damaged.add(fix(1, 1, 2010).time(25, 61, 61).speed(251), 1).word(0x12345678u).raw("\x01\x02");
    return {keyed, plain, keyed.substr(0, keyed.size() - 10), plain.substr(0, 32), damaged.bytes(), ""};
}

std::string settings_text() {
    const std::string path = std::filesystem::temp_directory_path() / "tripdesk-seed-settings.ini";
    std::filesystem::remove(path);
    app::save_settings_file(path, app::Settings{}, [](const std::string&) { return false; });
    std::string text = read_whole_file(path);
    std::filesystem::remove(path);
    return text;
}

Seeds ini_file_seeds() {
    const std::string settings = settings_text();
    return {
        nul_joined({"FRM_MAIN", "Koeficient", "1.05", settings}),
        nul_joined({"PROXY", "Server", "  proxy.local  ", "; comment\r\n[proxy]\r\nserver = \"a\"\r\n"}),
        nul_joined({"SMTP", "Heslo", "\"quoted\"", "\xEF\xBB\xBF[smtp]\nHeslo='x'\nbroken line\n[smtp]\nheslo=2\n"}),
    };
}

Seeds settings_file_seeds() {
    const std::string settings = settings_text();
    return {settings, "[FRM_MAIN]\r\nKoeficient=1,5\r\nFormTop=$1F\r\nCalenSelDate=31.02.2009\r\n[SMTP]\r\nPort=0x19\r\n"};
}

Seeds setting_lists_seeds() {
    return {
        std::string(1, '\x04') +
            "[CAR_LIST]\r\n0123456789=BA123AB,Škoda Octavia\r\n0000000042=žilina 1,Dodávka\r\n"
            "0000000043=bez čiarky\r\n[CAS_OKNO]\r\nRano=06:00:00 12:00:00\r\nVecer=12:00:00 24:00:00\r\nX=\r\n",
        std::string(1, '\0') + "[CAR_LIST]\n[CAS_OKNO]\nA=ôô:ôô:ôô 01:02:03\n",
    };
}

Seeds place_catalogue_seeds() {
    DayFileWriter map(0);  // the words only; the header is cut off below
    for (int i = 0; i < 6; ++i) {
        map.word(uint32_t(kFirstPlaceId + i)).word(0);
        map.word(word_from_float(17.1f + 0.1f * float(i))).word(word_from_float(48.1f + 0.05f * float(i))).word(0);
    }
    const std::string map_bytes = map.bytes().substr(kHeaderBytes);
    std::string names;
    for (const char* n : {"Bratislava", "  Trnava ", "\xAE" "ilina", "Ko\x9Aice - Juh", "Nitra"}) {
        std::string record(35, ' ');
        record[0] = char(std::strlen(n));
        std::memcpy(record.data() + 1, n, std::strlen(n));
        names += record;
    }
    // The first byte sets how many 20-byte entries the map takes.
    return {std::string(1, '\x06') + map_bytes + names, std::string(1, '\x02') + map_bytes.substr(0, 47) + "\x01x"};
}

Seeds eeprom_seeds() {
    DayFileWriter w(0);
    w.word(11).word(encode_time(7, 3, 14, 9, 30, 0)).word(382000);
    w.word(0x56341200u).word(encode_time(7, 3, 16, 7, 45, 0)).word(125500);
    w.word(0xFFFFFFFFu).word(0xFFFFFFFFu).word(0xFFFFFFFFu);
    w.word(0x11).word(0);
    const std::string bytes = w.bytes().substr(28);  // the header word, then the entries
    return {bytes, bytes.substr(0, 4), ""};
}

Seeds image_info_seeds() {
    return {
        app::format_image_info({"BA-123AB", "1,917,888 KB", "1,921,024 KB", "-1234567890", "FAT"}),
        "KE-999ZZ\n100 KB\r200 KB\r\n42",
        "\x8Ailina\r\n\xFE\r\n",
    };
}

Seeds dump_conversion_seeds() {
    const std::string dump =
        "Tag,$GPRMC,UTC(hhmmss.sss),A,Latitude,N/S,Longitude,E/W,Speed(knots),Course(degrees),Date(ddmmyy),,\r\n"
        "---,$GPRMC,080000.000,A,4808.1234,N,01706.5432,E,12.5,45.0,150309,,,A*6C\r\n"
        "---,$GPRMC,080005.000,A,4808.2234,N,01706.6432,E,13.5,47.0,150309,,,A*6C\r\n"
        "!!!,$GPRMC,080040.000,A,4808.3234,N,01706.7432,E,0.0,0.0,150309,,,A*6C\r\n"
        "---,$GPGGA,080040.000,4808.3234,N,01706.7432,E,1,09,0.9,180.0,M,,,,*00\r\n"
        "---,$GPRMC,235959.000,A,4808.4234,S,01706.8432,W,50.0,180.0,150309,,,A*6C\r\n"
        "---,$GPRMC,000001.000,A,4808.5234,N,01706.9432,E,55.0,181.0,160309,,,A*6C\r\n";
    return {std::string(1, '\0') + dump, std::string(1, '\x03') + dump, std::string(1, '\x01') + "Tag\n"};
}

Seeds identification_seeds() {
    return {
        nul_joined({"SN:1234567890123456HC0B", "MARVEK7_FW2.15C.bin"}),
        nul_joined({"SN:0000000000000000HG10", "FW_HG1B"}),
        nul_joined({"XY", "tracker.bin"}),
    };
}

Seeds firmware_image_seeds() {
    std::string image(1500, '\0');
    for (size_t i = 0; i < image.size(); ++i) image[i] = char(i * 7 + 3);
    return {image, image.substr(0, 1024), std::string(4096, '\xFF')};
}

Seeds devlib_firmware_seeds() {
    const testing_support::FirmwareFile f = testing_support::make_firmware(0x1A);
    std::string bad_sum = f.file;
    bad_sum[100] ^= 0x5A;
    return {f.file, bad_sum, f.file.substr(0, 65535)};
}

Seeds dbf_table_seeds() {
    return {nul_joined({"BA123AB", fuzz::sample_table_image(3)}), nul_joined({"12.5", fuzz::sample_table_image(0, 0x1F)}),
            nul_joined({"T", fuzz::sample_table_image(1, 0x00)})};
}

Seeds mdx_file_seeds() {
    const dbase::DbfTable& table = fuzz::sample_table();
    Seeds seeds;
    std::vector<dbase::testing::TagSpec> all;
    for (const fuzz::SampleTag& t : fuzz::sample_tags())
        all.emplace_back(t.name, t.expression, t.key_type, t.key_length, t.unique, t.descending, t.for_expression);
    for (const auto& tags : {all, std::vector<dbase::testing::TagSpec>(all.begin(), all.begin() + 2)}) {
        const dbase::MdxFile skeleton("seed", dbase::testing::index_skeleton("JAZDY", table.driver().id(), tags));
        std::vector<std::vector<dbase::MdxEntry>> entries;
        for (const dbase::MdxTag& tag : skeleton.tags()) entries.push_back(dbase::TagKeys(tag, table, "seed").expected(table));
        seeds.push_back(skeleton.rebuilt(entries, {2026, 12, 10}));
    }
    return seeds;
}

Seeds expression_seeds() {
    Seeds seeds;
    for (const fuzz::SampleTag& t : fuzz::sample_tags()) {
        seeds.push_back(t.expression);
        if (!t.for_expression.empty()) seeds.push_back(t.for_expression);
    }
    for (const char* e : {"IIF(PRIV, STR(KM,9,1), LEFT(POZN,9))", "SPZ $ \"BA\" .OR. DATUM > DATUM - 30",
                          "VAL(SUBSTR(POZN,7,5)) + 1 >= KM", "jazdy->SPZ = 'KE999ZZ'", "RIGHT(UPPE(POZN),3) <> \"ABC\"",
                          "DTOS(DATUM + 1)", ".NOT. DELETED() .AND. KM # 0"})
        seeds.push_back(e);
    return seeds;
}

Seeds geocoder_reply_seeds() {
    return {
        "<?xml version=\"1.0\"?><GeocodeResponse><status>OK</status><result><formatted_address>"
        "Hlavn&#225; 1, 811 01 Bratislava &amp; okolie</formatted_address></result></GeocodeResponse>",
        "<GeocodeResponse>\r\n<status>OVER_QUERY_LIMIT</status>\r\n<error_message>\"quota\"</error_message>",
        "<formatted_address></formatted_address>",
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds OUTDIR\n");
        return 2;
    }
    const std::map<std::string, std::function<Seeds()>> targets = {
        {"day_file", day_file_seeds},
        {"ini_file", ini_file_seeds},
        {"settings_file", settings_file_seeds},
        {"setting_lists", setting_lists_seeds},
        {"place_catalogue", place_catalogue_seeds},
        {"eeprom", eeprom_seeds},
        {"image_info", image_info_seeds},
        {"dump_conversion", dump_conversion_seeds},
        {"identification", identification_seeds},
        {"firmware_image", firmware_image_seeds},
        {"devlib_firmware", devlib_firmware_seeds},
        {"dbf_table", dbf_table_seeds},
        {"mdx_file", mdx_file_seeds},
        {"expression", expression_seeds},
        {"geocoder_reply", geocoder_reply_seeds},
    };
    try {
        for (const auto& [name, make] : targets) {
            const std::string folder = std::string(argv[1]) + "/" + name;
            std::filesystem::create_directories(folder);
            const Seeds seeds = make();
            for (size_t i = 0; i < seeds.size(); ++i)
                write_file_atomically(folder + "/seed-" + std::to_string(i), seeds[i]);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
