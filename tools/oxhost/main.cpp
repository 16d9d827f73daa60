// oxhost: runs image filter plug-ins on image files from the command line.
#include <cstdio>
#include <exception>

#include "Commands.h"
#include "Options.h"
#include "host/HostError.h"

using namespace oxhost;

namespace {

// Options that only a filter run takes are mistakes elsewhere.
void CheckNoRunOptions(const Options& options) {
    std::string misplaced;
    if (options.tintflood.Any()) {
        misplaced = options.tintflood.given.front();
    } else if (!options.playFile.empty()) {
        misplaced = "--play";
    } else if (!options.recordFile.empty()) {
        misplaced = "--record";
    }
    if (!misplaced.empty()) {
        throw UsageError(misplaced + " is an option of run, not of " + options.command);
    }
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const Options options = ParseOptions(argc, argv);
        if (options.version) {
            std::printf("%s\n", VersionText().c_str());
            return kExitDone;
        }
        if (options.maxMegapixels != 0 && options.command != "run" && options.command != "flat") {
            throw UsageError("--max-megapixels is an option of run, not of " + options.command);
        }
        if (options.compressionGiven && options.command != "run" && options.command != "flat") {
            throw UsageError("--compression is an option of run and flat, not of " +
                             options.command);
        }
        SetWriteCompression(options.compression);
        if (!options.addSwatchFile.empty() && options.command != "palettes") {
            throw UsageError("--add is an option of palettes, not of " + options.command);
        }
        if (options.command.empty() || options.command == "help") {
            const std::string topic = options.arguments.empty() ? "" : options.arguments[0];
            std::fputs(HelpText(topic).c_str(), stdout);
            return options.command.empty() && !options.help ? kExitUsage : kExitDone;
        }
        if (options.help) {
            std::fputs(HelpText(options.command).c_str(), stdout);
            return kExitDone;
        }
        if (options.aboutText && options.command != "about") {
            throw UsageError("--text is an option of about, not of " + options.command);
        }
        if (!options.flat.given.empty() && options.command != "flat") {
            throw UsageError(options.flat.given.front() + " is an option of flat, not of " +
                             options.command);
        }
        if (options.command == "run") {
            return RunCommand(options);
        }
        if (options.command == "flat") {
            return FlatCommand(options);
        }
        if (options.command == "list") {
            CheckNoRunOptions(options);
            return ListCommand(options);
        }
        if (options.command == "about") {
            CheckNoRunOptions(options);
            return AboutCommand(options);
        }
        if (options.command == "dialog-items") {
            CheckNoRunOptions(options);
            return DialogItemsCommand(options);
        }
        if (options.command == "palettes") {
            CheckNoRunOptions(options);
            return PalettesCommand(options);
        }
        throw UsageError("unknown command '" + options.command + "'");
    } catch (const UsageError& error) {
        std::fprintf(stderr, "oxhost: %s\n(see 'oxhost --help')\n", error.what());
        return kExitUsage;
    } catch (const HostError& error) {
        std::fprintf(stderr, "oxhost: %s\n", error.what());
        return kExitFailed;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "oxhost: out of memory\n");
        return kExitFailed;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "oxhost: %s\n", error.what());
        return kExitFailed;
    }
}
