#ifndef DLR4470_H
#define DLR4470_H
/* The DLR4470 logger's device library: a flat C interface. Every export is one
 * complete transaction with the logger, blocks until it is over and returns
 * one of the result codes below. Only 32-bit integers, caller-owned buffers
 * and zero-terminated paths cross this boundary; nothing the library
 * allocates is handed out and no exception leaves it.
 *
 * The earlier build (libdlr4470_dll.so) is compiled with DLR4470_DLL_BUILD
 * defined: it lacks QV_DLR4470_READ_MEMORY_USED_SIZE and QV_DLR4470_Setting_SN
 * and takes fewer arguments in three exports. A caller of that build defines
 * DLR4470_DLL_BUILD before including this header. */
#include <stdint.h>

#if defined(DLR4470_BUILDING)
#define DLR4470_API __attribute__((visibility("default")))
#else
#define DLR4470_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum {
    DLR4470_DUMP_FINISHED = 2,
    DLR4470_NO_PORT = 3,            /* already in dump mode, port unusable, or no banner */
    DLR4470_NO_ACKNOWLEDGE = 4,
    DLR4470_NO_MEMORY = 5,
    DLR4470_DUMP_FOLDER_FAILED = 6, /* folder preparation or "DB.sr" creation */
    DLR4470_SORT_FILE_FAILED = 7,
    DLR4470_OUTPUT_FILE_FAILED = 8,
    DLR4470_DB_READ_FAILED = 9,
    DLR4470_SORT_READ_FAILED = 10,
    DLR4470_OUTPUT_REOPEN_FAILED = 11,
    DLR4470_TIMEOUT = 12,           /* no answer in time, or a write to the port failed */
    DLR4470_ERASED = 13,
    DLR4470_SETTINGS_WRITTEN = 14,
    DLR4470_BOTH_INTERVALS = 15,
    DLR4470_SOUND_MISSING = 16,
    DLR4470_SOUNDS_TOO_LARGE = 17,
    DLR4470_CHECKSUM_ERROR = 18,
    DLR4470_FIRST_INTERVAL_RANGE = 19,
    DLR4470_SECOND_INTERVAL_RANGE = 20,
    DLR4470_VERSION_WRITTEN = 21,
    DLR4470_SETTINGS_READ = 22,
    DLR4470_SOUND_FOLDER_FAILED = 23,
    DLR4470_IN_DUMP_MODE = 24,
    DLR4470_OUT_OF_DUMP_MODE = 25,
    DLR4470_NOT_IN_DUMP_MODE = 26,
    DLR4470_INFO_EMPTY = 27,
    DLR4470_NO_INFO = 28,
    DLR4470_INFO_READ = 29,
    DLR4470_SETTING_19_RANGE = 30,
    DLR4470_FW_FOLDER_FAILED = 31,
    DLR4470_FW_FILE_UNREADABLE = 32,
    DLR4470_FW_SIZE_WRONG = 33,
    DLR4470_FW_SIGNATURE_MISSING = 34,
    DLR4470_FW_TRANSFERRED = 35,
    DLR4470_FW_CHECKSUM_WRONG = 36,
    DLR4470_FW_VERSION_READ = 37,
    DLR4470_NO_GPS_TIME = 38,
    DLR4470_GPS_TIME_READ = 39,
    DLR4470_SERIAL_TOO_LARGE = 40,
    DLR4470_SERIAL_WRITTEN = 41,
    DLR4470_UNKNOWN_MAKER = 42,
    DLR4470_POSITION_ENTRY_RANGE = 43,
    DLR4470_SETTING_1A_RANGE = 44,
    DLR4470_USED_MEMORY_READ = 45,
    DLR4470_SETTING_1B_RANGE = 46,
    DLR4470_TIME_ZONE_RANGE = 47,
    DLR4470_NO_USED_MEMORY = 48
};

/* Dump mode: entry by port search (writes the found COM number) or by a
 * given COM number; leaving is harmless when out of dump mode. */
DLR4470_API int32_t QV_DLR4470_AUTO_INTO_DUMP_MODE(int32_t* port);
DLR4470_API int32_t QV_DLR4470_INTO_DUMP_MODE(int32_t port);
DLR4470_API int32_t QV_DLR4470_EXIT_DUMP_MODE(void);

/* Dumps the database into the dump text file at path. */
DLR4470_API int32_t QV_DLR4470_DUMP_DB(int32_t reserved, const char* path);
DLR4470_API int32_t QV_DLR4470_ERASE_All_DB(int32_t reserved);

/* Writes the text "2.0" ("1.5" in the earlier build) with its zero. */
DLR4470_API int32_t QV_DLR4470_READ_DLL_VERSION(char* version);

#ifndef DLR4470_DLL_BUILD
/* positions: ten 16-byte position entries (160 bytes). */
DLR4470_API int32_t QV_DLR4470_SETTING_DEVICE(int32_t reserved, uint32_t first_interval,
                                              uint32_t second_interval, int32_t setting_08,
                                              int32_t setting_18, const char* sound_folder,
                                              int32_t setting_19, const uint8_t* positions,
                                              int32_t setting_1a, int32_t setting_1b,
                                              int32_t time_zone);
DLR4470_API int32_t QV_DLR4470_READ_SETTING_VALUE(int32_t reserved, int32_t* first_interval,
                                                  int32_t* second_interval, uint8_t* setting_08,
                                                  uint8_t* setting_18, uint8_t* setting_19,
                                                  uint8_t* positions, uint8_t* setting_1a,
                                                  uint8_t* setting_1b, int8_t* time_zone);
/* version: at least 5 bytes; name: at least 33 bytes. */
DLR4470_API int32_t QV_DLR4470_READ_DEVICE_INFORMATION(int32_t reserved, int32_t* serial,
                                                       char* version, char* name);
DLR4470_API int32_t QV_DLR4470_Setting_SN(uint32_t serial);
DLR4470_API int32_t QV_DLR4470_READ_MEMORY_USED_SIZE(int32_t* used);
#else
DLR4470_API int32_t QV_DLR4470_SETTING_DEVICE(int32_t reserved, uint32_t first_interval,
                                              uint32_t second_interval, int32_t setting_08,
                                              int32_t setting_18, const char* sound_folder,
                                              int32_t setting_19);
DLR4470_API int32_t QV_DLR4470_READ_SETTING_VALUE(int32_t reserved, int32_t* first_interval,
                                                  int32_t* second_interval, uint8_t* setting_08,
                                                  uint8_t* setting_18, uint8_t* setting_19);
DLR4470_API int32_t QV_DLR4470_READ_DEVICE_INFORMATION(int32_t reserved, int32_t* serial,
                                                       char* version);
#endif

/* Firmware: upload a firmware file, or only check it and report its version
 * (version: at least 4 bytes). The earlier build takes a folder and reads
 * "DLR4470_Encode.Bin" in it. */
DLR4470_API int32_t QV_DLR4470_FW_UPGRADE(int32_t reserved, const char* path);
DLR4470_API int32_t QV_DLR4470_Read_BinFile_FW_Version(char* version, const char* path);

DLR4470_API int32_t QV_DLR4470_READ_GPS_UTC_TIME_DATE(uint8_t* hour, uint8_t* minute,
                                                      uint8_t* second, uint8_t* year,
                                                      uint8_t* month, uint8_t* day);

/* Members kept for compatibility; no caller uses them. */
DLR4470_API int fnDLR4470_DLL(void);
DLR4470_API extern int nDLR4470_DLL;

#ifdef __cplusplus
}

class DLR4470_API CDLR4470_DLL {
public:
    CDLR4470_DLL();
    CDLR4470_DLL& operator=(const CDLR4470_DLL& other);

private:
    unsigned char byte_;
};
#endif

#endif
