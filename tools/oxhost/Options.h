// The command line of oxhost: global options, the command, its arguments.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "FlatOptions.h"
#include "TintfloodOptions.h"
#include "host/color/ColorPickerScript.h"
#include "host/image/WriteCompression.h"
#include "host/run/BufferLayout.h"

namespace oxhost {

struct Options {
    std::string command;                     // "run", "flat", "list", "about", "help"
    std::vector<std::string> arguments;      // what follows the command, options removed
    std::vector<std::string> pluginFolders;  // --plugins, in order given
    bool quiet = false;
    bool aboutText = false;  // --text: about prints the box instead of showing it
    bool help = false;
    bool version = false;        // --version
    std::string addSwatchFile;   // palettes --add: a swatch file to copy into the folder
    uint64_t maxMegapixels = 0;  // --max-megapixels; 0: what fits the machine's memory
    WriteCompression compression = WriteCompression::Fast;  // --compression
    bool compressionGiven = false;
    BufferLayout layout;
    std::string cmykProfile;
    std::vector<PickedColor> pickedColors;
    std::string playFile;        // --play: an action file to replay
    std::string recordFile;      // --record: where to save the recorded action
    bool dialog = false;         // --dialog: show the plug-in's options dialog
    std::string dialogScript;    // --dialog-script: run that dialog from a script of steps
    TintfloodChoices tintflood;  // Tintflood's settings for run and flat
    FlatChoices flat;            // the options of flat
    // Every argument after the program's name, as given: a book's workers
    // are started with the same command line.
    std::vector<std::string> commandLine;
};

// Throws UsageError for an unknown option or a bad option value.
Options ParseOptions(int argc, char** argv);

// Whether `argument` is the option `name`, alone ("--name", its value
// following) or with its value ("--name=value").
bool OptionNamed(const std::string& argument, const std::string& name);

// A colour given as "#rrggbb" or "rrggbb"; false for anything else.
bool ParseHexColor(const std::string& text, PickedColor& color);

class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

// "oxhost VERSION", the project's version.
std::string VersionText();

// The largest image, in pixels, a run takes: --max-megapixels when given,
// otherwise a quarter of the machine's memory over what a run needs per pixel.
uint64_t PixelBudgetOf(const Options& options);

// The help text of a command ("" for the program as a whole).
std::string HelpText(const std::string& command);

}  // namespace oxhost
