// On Windows a module carries its resources as any DLL does. The file is
// mapped as a data file: its resources can be read, none of its code runs,
// and a module built for the other processor width can be read as well.
#include <windows.h>

#include <cstring>
#include <utility>

#include "ModuleFile.h"
#include "host/HostError.h"
#include "host/WindowsErrorText.h"

namespace oxhost {
namespace {

// Owns a module mapped with LOAD_LIBRARY_AS_DATAFILE.
class DataFileModule {
public:
    explicit DataFileModule(const std::string& path)
        : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        if (module_ == nullptr) {
            const DWORD error = GetLastError();
            if (error == ERROR_BAD_EXE_FORMAT) {
                throw HostError("'" + path + "' is not a Windows module");
            }
            throw HostError("'" + path + "' cannot be read: " + WindowsErrorText(error));
        }
    }
    ~DataFileModule() { FreeLibrary(module_); }
    DataFileModule(const DataFileModule&) = delete;
    DataFileModule& operator=(const DataFileModule&) = delete;

    HMODULE Get() const { return module_; }

private:
    HMODULE module_;
};

// The system's numbered types for the names the host's readers use; any
// other name is a user type ("PIPL", "AETE"), which resource compilers store
// in upper case.
LPCSTR ResourceType(const char* type) {
    if (std::strcmp(type, "DIALOG") == 0) {
        return MAKEINTRESOURCEA(5);  // RT_DIALOG
    }
    if (std::strcmp(type, "BITMAP") == 0) {
        return MAKEINTRESOURCEA(2);  // RT_BITMAP
    }
    return type;
}

}  // namespace

std::optional<std::vector<unsigned char>> ReadModuleResource(const std::string& path,
                                                             const char* type, int id) {
    if (id < 0 || id > 0xFFFF) {
        return std::nullopt;
    }
    DataFileModule module(path);
    HRSRC found = FindResourceA(module.Get(), MAKEINTRESOURCEA(id), ResourceType(type));
    if (found == nullptr) {
        return std::nullopt;
    }
    const DWORD size = SizeofResource(module.Get(), found);
    HGLOBAL loaded = LoadResource(module.Get(), found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        throw HostError("'" + path + "' cannot be read: its resource " + type + " " +
                        std::to_string(id) + " does not load");
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    return std::vector<unsigned char>(bytes, bytes + size);
}

}  // namespace oxhost
