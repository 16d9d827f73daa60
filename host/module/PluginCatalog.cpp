#include "PluginCatalog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "ModuleFile.h"
#include "ProgramFolder.h"
#include "host/HostError.h"

namespace oxhost {

namespace fs = std::filesystem;

namespace {

constexpr char kModuleExtension[] = ".8bf";
constexpr char kEllipsis[] = "...";

std::vector<fs::path> ModuleFilesIn(const std::string& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const fs::path& path = entries->path();
        std::error_code typeError;
        if (path.extension() == kModuleExtension && fs::is_regular_file(path, typeError)) {
            files.push_back(path);
        }
    }
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
        return a.filename().string() < b.filename().string();
    });
    return files;
}

// The name as the user would type it: lower case, without a trailing "...".
std::string ComparableName(const std::string& name) {
    std::string comparable = name;
    size_t ellipsisLength = sizeof kEllipsis - 1;
    if (comparable.size() >= ellipsisLength &&
        comparable.compare(comparable.size() - ellipsisLength, ellipsisLength, kEllipsis) == 0) {
        comparable.resize(comparable.size() - ellipsisLength);
    }
    std::transform(comparable.begin(), comparable.end(), comparable.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return comparable;
}

}  // namespace

void PluginCatalog::AddFolder(const std::string& folder) {
    for (const fs::path& file : ModuleFilesIn(folder)) {
        std::error_code error;
        fs::path canonical = fs::canonical(file, error);
        if (error || !seenPaths_.insert(canonical.string()).second) {
            continue;
        }
        try {
            plugins_.push_back(CatalogEntry{file.string(), ReadFilterPipl(file.string())});
        } catch (const HostError& rejection) {
            rejected_.push_back(RejectedModule{file.string(), rejection.what()});
        }
    }
}

const CatalogEntry* PluginCatalog::FindByName(const std::string& name) const {
    for (const CatalogEntry& entry : plugins_) {
        if (PluginNameMatches(entry.pipl.name, name)) {
            return &entry;
        }
    }
    return nullptr;
}

bool PluginNameMatches(const std::string& piplName, const std::string& query) {
    std::string wanted = ComparableName(query);
    return !wanted.empty() && ComparableName(piplName) == wanted;
}

std::vector<std::string> DefaultPluginFolders() {
    const std::string programFolder = ProgramFolder();
    if (programFolder.empty()) {
        return {};
    }
    const fs::path folder = programFolder;
    return {folder.string(), (folder / "plugins").string(),
            (folder / ".." / "lib" / "oxlen" / "plugins").lexically_normal().string()};
}

}  // namespace oxhost
