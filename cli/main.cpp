// tripdesk: the command line over the program's logic.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "cli/command.h"

namespace tripdesk::cli {

std::map<std::string, Command>& commands() {
    static std::map<std::string, Command> all;
    return all;
}

std::string take_option(std::vector<std::string>& args, const std::string& name) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name) continue;
        if (i + 1 >= args.size()) throw UsageError{name + " needs a value"};
        std::string value = args[i + 1];
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        return value;
    }
    return {};
}

bool take_flag(std::vector<std::string>& args, const std::string& name) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            args.erase(args.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

namespace {

void print_usage(std::FILE* out) {
    std::fprintf(out, "usage: tripdesk [--home DIR] [--ini FILE] [--set SECTION.KEY=VALUE]... COMMAND ...\n");
    for (const auto& [name, cmd] : commands()) {
        std::fprintf(out, "  tripdesk %s\n", cmd.usage.c_str());
    }
}

}  // namespace
}  // namespace tripdesk::cli

int main(int argc, char** argv) {
    using namespace tripdesk::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    GlobalOptions global;
    if (const char* home = std::getenv("TRIPDESK_HOME")) global.home = home;
    try {
        // Global options stand before the command name.
        while (!args.empty() && args.front().rfind("--", 0) == 0) {
            const std::string opt = args.front();
            if (opt == "--help") {
                print_usage(stdout);
                return kOk;
            }
            if (args.size() < 2) throw UsageError{opt + " needs a value"};
            const std::string value = args[1];
            args.erase(args.begin(), args.begin() + 2);
            if (opt == "--home") {
                global.home = value;
            } else if (opt == "--ini") {
                global.ini = value;
            } else if (opt == "--set") {
                const auto eq = value.find('=');
                if (eq == std::string::npos || value.find('.') > eq)
                    throw UsageError{"--set takes SECTION.KEY=VALUE"};
                global.settings.emplace_back(value.substr(0, eq), value.substr(eq + 1));
            } else {
                throw UsageError{"unknown option " + opt};
            }
        }
        if (args.empty()) throw UsageError{"no command given"};
        const auto it = commands().find(args.front());
        if (it == commands().end()) throw UsageError{"unknown command " + args.front()};
        args.erase(args.begin());
        try {
            return it->second.run(global, std::move(args));
        } catch (const UsageError& e) {
            std::fprintf(stderr, "tripdesk: %s\nusage: tripdesk %s\n", e.message.c_str(), it->second.usage.c_str());
            return kUsage;
        }
    } catch (const UsageError& e) {
        std::fprintf(stderr, "tripdesk: %s\n", e.message.c_str());
        print_usage(stderr);
        return kUsage;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tripdesk: %s\n", e.what());
        return kFailed;
    }
}
