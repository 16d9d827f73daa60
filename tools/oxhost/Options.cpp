#include "Options.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>

#include "PhysicalMemory.h"
#include "host/image/DocumentAllocation.h"

namespace oxhost {

bool OptionNamed(const std::string& argument, const std::string& name) {
    return argument == name || argument.compare(0, name.size() + 1, name + "=") == 0;
}

bool ParseHexColor(const std::string& text, PickedColor& color) {
    const std::string digits = !text.empty() && text[0] == '#' ? text.substr(1) : text;
    if (digits.size() != 6 ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        return false;
    }
    const unsigned long value = std::strtoul(digits.c_str(), nullptr, 16);
    color.red = uint8_t(value >> 16);
    color.green = uint8_t(value >> 8);
    color.blue = uint8_t(value);
    return true;
}

namespace {

// The value of an option given as "--name value" or "--name=value".
std::string TakeValue(const std::string& name, const std::string& argument, int& index, int argc,
                      char** argv) {
    const std::string prefix = name + "=";
    if (argument.compare(0, prefix.size(), prefix) == 0) {
        return argument.substr(prefix.size());
    }
    if (index + 1 >= argc) {
        throw UsageError("option " + name + " needs a value");
    }
    return argv[++index];
}

std::string FileValue(const std::string& name, const std::string& argument, int& index, int argc,
                      char** argv) {
    std::string file = TakeValue(name, argument, index, argc, argv);
    if (file.empty()) {
        throw UsageError(name + " needs a file name");
    }
    return file;
}

uint64_t PositiveCount(const std::string& name, const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || text[0] == '-' || *end != '\0' || errno != 0 || value == 0 ||
        value > 1000000) {
        throw UsageError(name + " wants a whole number from 1 to 1000000, not '" + text + "'");
    }
    return value;
}

}  // namespace

std::string VersionText() {
    return std::string("oxhost ") + OX_VERSION;
}

uint64_t PixelBudgetOf(const Options& options) {
    if (options.maxMegapixels != 0) {
        return options.maxMegapixels * 1000000;
    }
    const uint64_t memory = PhysicalMemoryBytes();
    // Unknown memory: no budget beyond the interface's side limit.
    return memory == 0 ? 0 : std::max<uint64_t>(memory / 4 / kRunBytesPerPixel, 1000000);
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    options.commandLine.assign(argv + 1, argv + argc);
    bool onlyArguments = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const OptionValue takeValue = [&](const std::string& name) {
            return TakeValue(name, argument, i, argc, argv);
        };
        if (onlyArguments || argument.empty() || argument[0] != '-' || argument == "-") {
            if (options.command.empty()) {
                options.command = argument;
            } else {
                options.arguments.push_back(argument);
            }
        } else if (argument == "--") {
            onlyArguments = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (OptionNamed(argument, "--max-megapixels")) {
            options.maxMegapixels = PositiveCount(
                "--max-megapixels", TakeValue("--max-megapixels", argument, i, argc, argv));
        } else if (OptionNamed(argument, "--compression")) {
            const std::string name = TakeValue("--compression", argument, i, argc, argv);
            if (!ParseWriteCompression(name, options.compression)) {
                throw UsageError("--compression wants fast, balanced or small, not '" + name + "'");
            }
            options.compressionGiven = true;
        } else if (argument == "--quiet" || argument == "-q") {
            options.quiet = true;
        } else if (argument == "--text") {
            options.aboutText = true;
        } else if (OptionNamed(argument, "--plugins")) {
            options.pluginFolders.push_back(TakeValue("--plugins", argument, i, argc, argv));
        } else if (OptionNamed(argument, "--layout")) {
            const std::string name = TakeValue("--layout", argument, i, argc, argv);
            if (!BufferLayout::FromName(name, options.layout)) {
                throw UsageError("unknown buffer layout '" + name +
                                 "' (interleaved, planar, padded or zero-steps)");
            }
        } else if (OptionNamed(argument, "--cmyk-profile")) {
            options.cmykProfile = TakeValue("--cmyk-profile", argument, i, argc, argv);
        } else if (OptionNamed(argument, "--pick-color")) {
            const std::string text = TakeValue("--pick-color", argument, i, argc, argv);
            PickedColor color;
            if (!ParseHexColor(text, color)) {
                throw UsageError("--pick-color wants a colour as RRGGBB, not '" + text + "'");
            }
            options.pickedColors.push_back(color);
        } else if (OptionNamed(argument, "--add")) {
            options.addSwatchFile = FileValue("--add", argument, i, argc, argv);
        } else if (OptionNamed(argument, "--play")) {
            options.playFile = FileValue("--play", argument, i, argc, argv);
        } else if (argument == "--dialog") {
            options.dialog = true;
        } else if (OptionNamed(argument, "--dialog-script")) {
            options.dialogScript = FileValue("--dialog-script", argument, i, argc, argv);
            options.dialog = true;
        } else if (OptionNamed(argument, "--record")) {
            options.recordFile = FileValue("--record", argument, i, argc, argv);
        } else if (!ParseTintfloodOption(argument, takeValue, options.tintflood) &&
                   !ParseFlatOption(argument, takeValue, options.flat)) {
            throw UsageError("unknown option '" + argument + "'");
        }
    }
    return options;
}

std::string HelpText(const std::string& command) {
    if (command == "run") {
        return "usage: oxhost run [options] PLUGIN INPUT OUTPUT\n"
               "\n"
               "Runs a filter plug-in on the image INPUT and writes the result to OUTPUT.\n"
               "PLUGIN is a module file (*.8bf) or a plug-in name such as 'virarar' (any case,\n"
               "a trailing '...' optional), looked up in the plug-in folders.\n"
               "INPUT is a PNG (gray, RGB, RGBA, palette), a PAM (RGB, CMYK, gray, with or\n"
               "without alpha, 8 bits) or a TIFF (8-bit RGB or CMYK) file; the Windows build\n"
               "reads no TIFF. OUTPUT's extension chooses its format: .png, .pam, .tif or\n"
               ".tiff. OUTPUT is written only when the filter succeeds, and may name INPUT\n"
               "itself.\n"
               "\n"
               "options:\n"
               "  --plugins DIR        look for plug-ins in DIR (may be given more than once)\n"
               "  --quiet, -q          no progress bar\n"
               "  --max-megapixels N   take images of up to N million pixels (default: what a\n"
               "                       quarter of the machine's memory holds)\n"
               "  --compression fast|balanced|small\n"
               "                       how hard PNG and TIFF outputs are compressed: fast\n"
               "                       (default; flat colour still packs well), or smaller\n"
               "                       files that take longer to write\n"
               "  --cmyk-profile FILE  ICC profile for colour conversions of CMYK documents\n"
               "                       (default: a plain formula)\n"
               "  --pick-color RRGGBB  the answer of the next colour pick the plug-in asks for\n"
               "                       (repeatable; without one a pick is cancelled)\n"
               "  --layout NAME        how image buffers are handed to the plug-in: interleaved\n"
               "                       (default), planar, padded or zero-steps\n"
               "  --dialog             show the plug-in's options dialog in a window first, as\n"
               "                       an interactive run does (OK saves the preferences; other\n"
               "                       options given set its starting values)\n"
               "  --dialog-script FILE answer that dialog from a script instead of a window;\n"
               "                       lines: set ITEM = N, click ITEM, choose ITEM = INDEX,\n"
               "                       pick R G B, ok, cancel. ITEM is #ID or the label the\n"
               "                       item shows, in double quotes when it holds '='\n"
               "                       (see 'oxhost dialog-items PLUGIN'); a step the dialog\n"
               "                       cannot take cancels it and fails the run\n"
               "\n" +
               TintfloodOptionsHelp() +
               "\n"
               "Ctrl-C (or SIGTERM) stops the run at any stage; nothing is written then.\n"
               "An input of several images or of 16-bit samples is not written over.\n"
               "Exit status: 0 done, 1 failed, 2 bad command line, 130 stopped with Ctrl-C.\n";
    }
    if (command == "flat") {
        return "usage: oxhost flat [options] INPUT... [--out-dir DIR | -o OUTPUT]\n"
               "\n"
               "Makes clean flats from line art: finds the line work (dark, grey, coloured\n"
               "or on a transparent background), closes small gaps in it, floods every area\n"
               "with a colour of its own (Tintflood) and grows the flats under the lines\n"
               "(Virarar). Writes NAME-flats.png for each input NAME.EXT: every pixel a\n"
               "flat colour, ready to be selected area by area under the line art.\n"
               "An INPUT may be a folder: its images, by name. Several pages run at a\n"
               "time, each in a process of its own; a page that fails is reported and the\n"
               "others go on.\n"
               "\n" +
               FlatOptionsHelp() +
               "  --compression fast|balanced|small\n"
               "                       how hard PNG and TIFF outputs are compressed [fast]\n"
               "  --max-megapixels N   take images of up to N million pixels\n"
               "\n"
               "Tintflood's options --palette, --random, --tolerance, --flag, --flag-color,\n"
               "--join and --measure pass through (see 'oxhost run --help'); the default\n"
               "is random colours, so that every area gets a colour of its own.\n"
               "Solid black: ink thick enough to hold a disc of the --solid-black size\n"
               "everywhere, over at least 1024 pixels, keeps a flat of its own, fenced by a\n"
               "one-pixel line, instead of going to its neighbours.\n"
               "\n"
               "Each page prints one line: areas filled, flagged, joined, solid black areas\n"
               "kept, the threshold used and the time; warnings go to stderr.\n"
               "Ctrl-C stops every page; no file is left half-written.\n"
               "Exit status: 0 done, 1 a page failed, 2 bad command line, 130 stopped.\n";
    }
    if (command == "palettes") {
        return "usage: oxhost palettes [--add FILE.aco]\n"
               "\n"
               "Lists the swatch files Tintflood offers as palettes, in the order the folder\n"
               "lists them, and says where that folder is: 'Presets/Color Swatches/' beside\n"
               "the oxhost program. A name is offered when it is longer than 4 characters\n"
               "and contains '.aco' (case matters).\n"
               "\n"
               "options:\n"
               "  --add FILE           copy the swatch file FILE into that folder, so Tintflood\n"
               "                       offers it (--palette NAME); a file that is not a\n"
               "                       version-1 swatch file with a usable colour is refused,\n"
               "                       and so is a name already there\n";
    }
    if (command == "dialog-items") {
        return "usage: oxhost dialog-items [--plugins DIR] PLUGIN\n"
               "\n"
               "Lists the items of the plug-in's options dialog as it opens now (from the\n"
               "preferences): id, kind and label, whether it is disabled, and a popup's\n"
               "entries. A dialog script (run --dialog-script) names an item by #ID or by\n"
               "its label. The dialog is cancelled, so nothing is saved.\n";
    }
    if (command == "list") {
        return "usage: oxhost list [--plugins DIR]\n"
               "\n"
               "Lists the filter plug-ins found in the plug-in folders: name, category,\n"
               "image modes and module file. Modules that cannot be used are reported on\n"
               "stderr with the reason.\n";
    }
    if (command == "about") {
        return "usage: oxhost about [--plugins DIR] [--text] PLUGIN\n"
               "\n"
               "Asks the plug-in to show its About box, in a window on the X display\n"
               "($DISPLAY). Escape, Return or a click beside the button close it; the\n"
               "button opens the web site in the browser (xdg-open).\n"
               "\n"
               "options:\n"
               "  --text               no window: print the box's text and its button's\n"
               "                       label, then close it as Escape would\n";
    }
    return "usage: oxhost [--plugins DIR] [--quiet] COMMAND [ARGUMENTS]\n"
           "       oxhost --version\n"
           "\n"
           "Runs image filter plug-ins on image files.\n"
           "\n"
           "commands:\n"
           "  run PLUGIN INPUT OUTPUT   run a filter on an image file\n"
           "  flat INPUT...             clean flats from line art, page by page\n"
           "  list                      list the plug-ins found\n"
           "  about PLUGIN              show a plug-in's About box\n"
           "  palettes                  list the swatch palettes Tintflood offers\n"
           "  dialog-items PLUGIN       list the items of a plug-in's options dialog\n"
           "  help [COMMAND]            show help on a command\n"
           "\n"
           "Without --plugins, plug-ins are looked for beside the oxhost program, in its\n"
           "'plugins' folder, and in '../lib/oxlen/plugins' next to it.\n"
           "'oxhost COMMAND --help' shows the options of a command.\n";
}

}  // namespace oxhost
