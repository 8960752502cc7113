#pragma once
// The tripdesk command line: global options and the registry of commands.
// Each command lives in its own cli/cmd_*.cpp and registers itself.
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tripdesk::cli {

// Exit statuses.
constexpr int kOk = 0;
constexpr int kFailed = 1;  // the operation failed or had nothing to do
constexpr int kUsage = 2;

struct GlobalOptions {
    std::string home;                                           // --home DIR or TRIPDESK_HOME
    std::string ini;                                            // --ini FILE
    std::vector<std::pair<std::string, std::string>> settings;  // --set SECTION.KEY=VALUE
};

// Thrown by a command for a usage error; main prints it and the usage line.
struct UsageError {
    std::string message;
};

using CommandFn = std::function<int(const GlobalOptions&, std::vector<std::string> args)>;

struct Command {
    std::string usage;  // one line per form, without the program name
    CommandFn run;
};

std::map<std::string, Command>& commands();

struct CommandRegistration {
    CommandRegistration(const char* name, const char* usage, CommandFn fn) {
        commands()[name] = Command{usage, std::move(fn)};
    }
};

// `tripdesk export KIND ...`: each export kind (logbook, kml, stops, mrp,
// html) registers itself from its own cli/cmd_export_<kind>.cpp.
std::map<std::string, Command>& export_kinds();

struct ExportKindRegistration {
    ExportKindRegistration(const char* kind, const char* usage, CommandFn fn) {
        export_kinds()[kind] = Command{usage, std::move(fn)};
    }
};

// Takes "--name VALUE" out of args; empty when absent. Throws UsageError when
// the value is missing.
std::string take_option(std::vector<std::string>& args, const std::string& name);
// Takes a "--name" flag out of args.
bool take_flag(std::vector<std::string>& args, const std::string& name);

}  // namespace tripdesk::cli
