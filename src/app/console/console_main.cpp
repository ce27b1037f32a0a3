#include "app/console/console_main.h"

#include <span>

#include "app/console/bus_commands.h"
#include "app/console/bus_setup.h"
#include "app/console/exit_status.h"
#include "app/console/project_command.h"
#include "app/console/run_command.h"
#include "app/console/run_options.h"
#include "app/console/usage_text.h"
#include "platform/clock.h"
#include "platform/dynamic_library.h"

namespace kestrova::app::console {

namespace {

constexpr OptionSpec kMonitorOnly[] = {{"monitor", true}};

int Usage(const ConsoleIo& io, const char* text) {
    std::fprintf(io.out, "%s", text);
    std::fflush(io.out);
    return kExitPassed;
}

// Parses the command's flags; on a usage error prints it (with where to look) and answers false.
bool Parse(std::span<const std::string> args,
           std::span<const OptionSpec> specs,
           const std::string& command,
           const ConsoleIo& io,
           ParsedOptions& parsed) {
    std::string error;
    if (ParseOptions(args, specs, parsed, error)) {
        return true;
    }
    Fail(io, error + " (see 'kestrova " + command + " --help')");
    return false;
}

int CapsMain(std::span<const std::string> args, const ConsoleIo& io) {
    ParsedOptions parsed;
    if (!Parse(args, kMonitorOnly, "caps", io, parsed)) {
        return kExitSetupError;
    }
    if (parsed.help) {
        return Usage(io, kCapsUsage);
    }
    if (!parsed.positionals.empty()) {
        return Fail(io, "unexpected argument \"" + parsed.positionals.front() + "\" (see 'kestrova caps --help')");
    }
    int monitor = 1;
    if (const auto given = parsed.Value("monitor"); given && !ParseMonitorNumber(*given, monitor)) {
        return Fail(io, BadMonitorText(*given));
    }
    return CapsCommand(monitor, io);
}

int NoArgumentsMain(std::span<const std::string> args,
                    const char* command,
                    const char* usage,
                    int (*run)(const ConsoleIo&),
                    const ConsoleIo& io) {
    ParsedOptions parsed;
    if (!Parse(args, {}, command, io, parsed)) {
        return kExitSetupError;
    }
    if (parsed.help) {
        return Usage(io, usage);
    }
    if (!parsed.positionals.empty()) {
        return Fail(
            io, "unexpected argument \"" + parsed.positionals.front() + "\" (see 'kestrova " + command + " --help')");
    }
    return run(io);
}

int RunMain(std::span<const std::string> args, const ConsoleIo& io) {
    ParsedOptions parsed;
    if (!Parse(args, RunOptionSpecs(), "run", io, parsed)) {
        return kExitSetupError;
    }
    if (parsed.help) {
        return Usage(io, kRunUsage);
    }
    RunOptions options;
    std::string error;
    if (!ReadRunOptions(parsed, options, error)) {
        return Fail(io, error + " (see 'kestrova run --help')");
    }
    return RunCommand(options, io);
}

int ProjectMain(std::span<const std::string> args, const ConsoleIo& io) {
    const std::string action = args.empty() ? "" : args.front();
    const std::span<const std::string> rest = args.empty() ? args : args.subspan(1);
    if (action == "new" || action == "show") {
        ParsedOptions parsed;
        const std::span<const OptionSpec> specs =
            action == "new" ? ProjectNewOptionSpecs() : std::span<const OptionSpec>();
        if (!Parse(rest, specs, "project", io, parsed)) {
            return kExitSetupError;
        }
        if (parsed.help) {
            return Usage(io, kProjectUsage);
        }
        if (action == "new") {
            return ProjectNewCommand(parsed, io);
        }
        if (parsed.positionals.size() != 1) {
            return Fail(io, "project show takes one PATH (see 'kestrova project --help')");
        }
        return ProjectShowCommand(parsed.positionals.front(), io);
    }
    if (action == "--help" || action == "-h") {
        return Usage(io, kProjectUsage);
    }
    return Fail(io, action.empty() ? "project needs new or show (see 'kestrova project --help')"
                                   : "unknown project action \"" + action + "\" (new or show)");
}

}  // namespace

int ConsoleMain(const std::vector<std::string>& args, const ConsoleIo& io) {
    platform::RestrictLibrarySearch();
    platform::UseVirtualClockIfAsked();
    const std::string command = args.empty() ? "" : args.front();
    const std::span<const std::string> rest =
        args.empty() ? std::span<const std::string>() : std::span<const std::string>(args).subspan(1);
    if (command == "run") {
        return RunMain(rest, io);
    }
    if (command == "monitors") {
        return NoArgumentsMain(rest, "monitors", kMonitorsUsage, &MonitorsCommand, io);
    }
    if (command == "caps") {
        return CapsMain(rest, io);
    }
    if (command == "groups") {
        return NoArgumentsMain(rest, "groups", kGroupsUsage, &GroupsCommand, io);
    }
    if (command == "project") {
        return ProjectMain(rest, io);
    }
    if (command == "--help" || command == "-h" || command == "help") {
        return Usage(io, kMainUsage);
    }
    if (command == "--version") {
        return Usage(io, kVersionText);
    }
    if (command.empty()) {
        std::fprintf(io.err, "%s", kMainUsage);
        return kExitSetupError;
    }
    return Fail(io, "unknown command \"" + command + "\" (see 'kestrova --help')");
}

}  // namespace kestrova::app::console
