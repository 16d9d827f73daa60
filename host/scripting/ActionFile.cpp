#include "host/scripting/ActionFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/module/PluginCatalog.h"
#include "host/scripting/DescriptorJson.h"

namespace oxhost {
namespace {

using json = nlohmann::ordered_json;

constexpr int kActionFormat = 1;
// Far above any real action; keeps a wrong file name from filling memory.
constexpr std::streamoff kMaxActionFileSize = 16 << 20;

[[noreturn]] void Damaged(const std::string& path, const std::string& problem) {
    throw HostError("'" + path + "' is not a usable action file: " + problem);
}

std::string ReadWholeFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        throw HostError("cannot read action file '" + path + "': it is a folder");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw HostError("cannot read action file '" + path + "'");
    }
    // The limit holds whatever size the system reports: a device such as
    // /dev/zero reports none and never ends, so at most one byte more than
    // the limit is read.
    std::string text;
    char chunk[1 << 16];
    while (text.size() <= size_t(kMaxActionFileSize)) {
        const size_t wanted = std::min(sizeof chunk, size_t(kMaxActionFileSize) + 1 - text.size());
        file.read(chunk, std::streamsize(wanted));
        text.append(chunk, size_t(file.gcount()));
        if (!file) {
            break;
        }
    }
    if (text.size() > size_t(kMaxActionFileSize)) {
        Damaged(path, "it is larger than any action file (16 MB)");
    }
    if (file.bad()) {
        throw HostError("cannot read action file '" + path + "'");
    }
    return text;
}

// "Tintflood..." as a person names it in a sentence.
std::string WithoutDots(const std::string& piplName) {
    const size_t end = piplName.find_last_not_of('.');
    return end == std::string::npos ? piplName : piplName.substr(0, end + 1);
}

const json& Field(const json& root, const char* name, const std::string& path) {
    auto it = root.find(name);
    if (it == root.end()) {
        Damaged(path, std::string("missing \"") + name + "\"");
    }
    return *it;
}

OSType CodeField(const json& root, const char* name, const std::string& path) {
    const json& value = Field(root, name, path);
    OSType code = 0;
    if (!value.is_string() || !ParseCodeText(value.get<std::string>(), code)) {
        Damaged(path, std::string("\"") + name + "\" is not a four-character code");
    }
    return code;
}

}  // namespace

void SaveActionFile(const RecordedAction& action, const std::string& path) {
    // One field a line, the entries one a line: easy to read and to edit.
    std::string text = "{\n";
    try {
        text += "  \"oxhostAction\": " + std::to_string(kActionFormat) + ",\n";
        text += "  \"plugin\": " + json(action.plugin).dump() + ",\n";
        text += "  \"class\": " + json(CodeText(action.eventClass)).dump() + ",\n";
        text += "  \"event\": " + json(CodeText(action.event)).dump() + ",\n";
        text += "  \"descriptor\": " + FormatDescriptorJson(DescriptorToJson(action.descriptor), 2);
        text += "\n}\n";
    } catch (const DescriptorJsonError& error) {
        throw HostError("cannot record the action in '" + path + "': " + error.what());
    } catch (const json::type_error&) {
        throw HostError("cannot record the action in '" + path +
                        "': the plug-in name is not UTF-8");
    }
    AtomicFile file(path);
    if (std::fwrite(text.data(), 1, text.size(), file.Stream()) != text.size()) {
        throw HostError("cannot write '" + path + "'");
    }
    file.Commit();
}

RecordedAction LoadActionFile(const std::string& path) {
    json root;
    try {
        root = ParseJsonText(ReadWholeFile(path));
    } catch (const DescriptorJsonError& error) {
        Damaged(path, error.what());
    }
    if (!root.is_object()) {
        Damaged(path, "it is not a JSON object");
    }
    const json& format = Field(root, "oxhostAction", path);
    if (!format.is_number_integer() || format.get<int64_t>() != kActionFormat) {
        // Only a number is quoted: any other value may be long.
        Damaged(path, "unknown format " +
                          (format.is_number() ? format.dump()
                                              : std::string("of type ") + format.type_name()) +
                          " (this oxhost reads format 1)");
    }
    RecordedAction action;
    const json& plugin = Field(root, "plugin", path);
    if (!plugin.is_string() || plugin.get<std::string>().empty()) {
        Damaged(path, "\"plugin\" is not a plug-in name");
    }
    action.plugin = plugin.get<std::string>();
    action.eventClass = CodeField(root, "class", path);
    action.event = CodeField(root, "event", path);
    try {
        action.descriptor = DescriptorFromJson(Field(root, "descriptor", path));
    } catch (const DescriptorJsonError& error) {
        Damaged(path, error.what());
    }
    return action;
}

void CheckActionFor(const RecordedAction& action, const std::string& piplName, OSType eventClass,
                    OSType event, const std::string& path) {
    if (!PluginNameMatches(action.plugin, piplName)) {
        throw HostError("'" + path + "' was recorded for " + WithoutDots(action.plugin) +
                        ", not for " + WithoutDots(piplName));
    }
    if (action.eventClass != eventClass || action.event != event) {
        throw HostError("'" + path + "' holds the event '" + CodeText(action.eventClass) + "' '" +
                        CodeText(action.event) + "', but " + WithoutDots(piplName) + " answers '" +
                        CodeText(eventClass) + "' '" + CodeText(event) + "'");
    }
}

}  // namespace oxhost
