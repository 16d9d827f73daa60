#include "SwatchFiles.h"

#include "FileList.h"

bool IsSwatchFileName(const std::string& name) {
    return name.size() > 4 && name.find(".aco") != std::string::npos;
}

std::vector<std::string> ListSwatchFiles(const std::string& folder) {
    std::vector<std::string> names;
    FileList list(folder);
    for (std::string name = list.FirstName(); !name.empty(); name = list.NextName()) {
        if (IsSwatchFileName(name)) {
            names.push_back(name);
        }
    }
    return names;
}
