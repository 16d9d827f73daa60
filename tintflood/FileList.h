// The names of all entries of one folder, in the order the platform lists
// them (no sorting), with a cursor.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class FileList {
public:
    // `folder` ends with a path separator. A missing folder gives no names.
    explicit FileList(const std::string& folder);
    virtual ~FileList() = default;

    // The first name, or "" when there is none.
    std::string FirstName();
    // The following name, or "" past the end.
    std::string NextName();

private:
    std::vector<std::string> names;
    size_t cursor = 0;
};
