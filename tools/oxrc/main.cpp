// oxrc: compiles a resource script into a C++ source file that embeds the
// resources in a module. See ResourceScript.h for the language.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "EmbeddedSource.h"
#include "ResourceScript.h"
#include "ScriptError.h"
#include "bridge/platform/linux/ResourceBlobWriter.h"

namespace {

const char kUsage[] =
    "usage: oxrc INPUT.rc -o OUTPUT.cpp [--depfile OUTPUT.d]\n"
    "Compiles the resources of INPUT.rc into a C++ source file that embeds\n"
    "them in a module, in section \"oxres\". With --depfile, also writes the\n"
    "files the output depends on, in Makefile syntax.\n";

struct Options {
    std::string input;
    std::string output;
    std::string depfile;
};

// Parses the command line; false when it does not make sense.
bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if ((argument == "-o" || argument == "--depfile") && i + 1 < argc) {
            (argument == "-o" ? options->output : options->depfile) = argv[++i];
        } else if (!argument.empty() && argument[0] != '-' && options->input.empty()) {
            options->input = argument;
        } else {
            return false;
        }
    }
    return !options->input.empty() && !options->output.empty();
}

// Writes through a temporary file beside `path` and renames it into place,
// so that a failed run never leaves a partial file under the real name.
void WriteFileAtomically(const std::string& path, const std::string& content) {
    std::string temporaryPath = path + ".tmp" + std::to_string(getpid());
    {
        std::ofstream file(temporaryPath, std::ios::binary | std::ios::trunc);
        file << content;
        file.close();
        if (!file) {
            std::remove(temporaryPath.c_str());
            throw std::runtime_error("cannot write '" + temporaryPath + "'");
        }
    }
    if (std::rename(temporaryPath.c_str(), path.c_str()) != 0) {
        std::remove(temporaryPath.c_str());
        throw std::runtime_error("cannot write '" + path + "'");
    }
}

std::string EscapeForMakefile(const std::string& path) {
    std::string escaped;
    for (char c : path) {
        if (c == ' ' || c == '#') {
            escaped += '\\';
        } else if (c == '$') {
            escaped += '$';
        }
        escaped += c;
    }
    return escaped;
}

std::string DependencyRule(const Options& options, const oxrc::ResourceScript& script) {
    std::string rule = EscapeForMakefile(options.output) + ": " + EscapeForMakefile(options.input);
    for (const std::string& file : script.referencedFiles) {
        rule += " \\\n  " + EscapeForMakefile(file);
    }
    return rule + "\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::cerr << kUsage;
        return 2;
    }
    try {
        oxrc::ResourceScript script = oxrc::ReadResourceScript(options.input);
        std::vector<unsigned char> blob = oxres::WriteResourceBlob(script.resources);
        WriteFileAtomically(options.output, oxrc::EmbeddedResourceSource(blob, options.input));
        if (!options.depfile.empty()) {
            WriteFileAtomically(options.depfile, DependencyRule(options, script));
        }
    } catch (const oxrc::ScriptError& error) {
        std::cerr << error.what() << "\n";  // already "file.rc:LINE: ..."
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "oxrc: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
