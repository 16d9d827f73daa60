#include "FlatPages.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>

#include "Options.h"
#include "host/image/ImageFile.h"

namespace oxhost {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
    for (char& c : text) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsPageImage(const fs::path& path) {
    static const char* const kExtensions[] = {".png",  ".tif", ".tiff", ".jpg",
                                              ".jpeg", ".pam", ".bmp",  ".webp"};
    const std::string extension = Lower(path.extension().string());
    if (std::find(std::begin(kExtensions), std::end(kExtensions), extension) ==
        std::end(kExtensions)) {
        return false;
    }
    const std::string stem = Lower(path.stem().string());
    return !EndsWith(stem, "-flats") && !EndsWith(stem, "-composite");
}

std::vector<std::string> FolderImages(const std::string& folder) {
    std::vector<std::string> images;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code typeError;
        if (entry->is_regular_file(typeError) && IsPageImage(entry->path())) {
            images.push_back(entry->path().string());
        }
    }
    if (error) {
        throw UsageError("cannot list the folder '" + folder + "': " + error.message());
    }
    std::sort(images.begin(), images.end());
    if (images.empty()) {
        throw UsageError("the folder '" + folder + "' holds no image files");
    }
    return images;
}

// The name the outputs of a -o page are made from: OUT without its extension
// and without a trailing "-flats".
std::string OutputBase(const std::string& output) {
    fs::path path(output);
    std::string stem = path.stem().string();
    if (EndsWith(stem, "-flats")) {
        stem.resize(stem.size() - 6);
    }
    return (path.parent_path() / stem).string();
}

// Two names of one file compare equal when both exist; otherwise by their
// normalised absolute paths.
std::string FileKey(const std::string& path) {
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? path : canonical.string();
}

}  // namespace

std::vector<FlatPage> ListFlatPages(const std::vector<std::string>& inputs,
                                    const FlatChoices& choices) {
    if (inputs.empty()) {
        throw UsageError("flat needs at least one input image or folder");
    }
    if (!choices.output.empty() && !choices.outDir.empty()) {
        throw UsageError("-o and --out-dir exclude each other");
    }
    std::vector<std::string> files;
    for (const std::string& input : inputs) {
        std::error_code error;
        const fs::file_status status = fs::status(input, error);
        if (fs::is_directory(status)) {
            const std::vector<std::string> images = FolderImages(input);
            files.insert(files.end(), images.begin(), images.end());
        } else if (fs::exists(status)) {
            files.push_back(input);
        } else {
            throw UsageError("no such input '" + input + "'");
        }
    }
    if (!choices.output.empty() && files.size() != 1) {
        throw UsageError("-o names the output of one page, but there are " +
                         std::to_string(files.size()) + "; use --out-dir");
    }
    if (!choices.output.empty() && !IsSupportedOutputPath(choices.output)) {
        throw UsageError("cannot write '" + choices.output + "': use a " +
                         SupportedOutputExtensions() + " file name");
    }
    if (!choices.outDir.empty() && !fs::is_directory(choices.outDir)) {
        throw UsageError("--out-dir '" + choices.outDir + "' is not a folder");
    }

    std::vector<FlatPage> pages;
    std::map<std::string, std::string> writers;  // file key -> the input that writes it
    for (const std::string& file : files) {
        writers[FileKey(file)] = "";
    }
    for (const std::string& file : files) {
        FlatPage page;
        page.input = file;
        page.name = fs::path(file).filename().string();
        std::string base;
        if (!choices.output.empty()) {
            page.flatsPath = choices.output;
            base = OutputBase(choices.output);
        } else {
            const fs::path folder =
                choices.outDir.empty() ? fs::path(file).parent_path() : fs::path(choices.outDir);
            base = (folder / fs::path(file).stem()).string();
            page.flatsPath = base + (choices.tiff ? "-flats.tif" : "-flats.png");
        }
        if (choices.composite) {
            page.compositePath = base + "-composite.png";
        }
        if (choices.layers) {
            page.layersPath = base + ".psd";
        }
        for (const std::string* output : {&page.flatsPath, &page.compositePath, &page.layersPath}) {
            if (output->empty()) {
                continue;
            }
            auto [slot, added] = writers.emplace(FileKey(*output), file);
            if (!added) {
                throw UsageError(slot->second.empty()
                                     ? "'" + *output + "' is an input; flat does not write over it"
                                     : "'" + slot->second + "' and '" + file +
                                           "' would both write '" + *output + "'");
            }
        }
        pages.push_back(page);
    }
    return pages;
}

}  // namespace oxhost
