#include "ResourceScript.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <utility>

#include "DialogStatement.h"
#include "ScriptError.h"
#include "ScriptLexer.h"
#include "TokenCursor.h"
#include "bridge/platform/linux/ResourceBlob.h"

namespace oxrc {

namespace {

constexpr size_t kBitmapFileHeaderSize = 14;
constexpr int64_t kMaxResourceId = 0xFFFF;

// Statements and resource types that windres compiles in its own way; a
// script that uses them is outside what this compiler reproduces.
const char* const kPredefinedKeywords[] = {
    "ACCELERATORS", "ANICURSOR",  "ANIICON", "CHARACTERISTICS",
    "CURSOR",       "DLGINCLUDE", "DLGINIT", "FONT",
    "FONTDIR",      "HTML",       "ICON",    "LANGUAGE",
    "MANIFEST",     "MENU",       "MENUEX",  "MESSAGETABLE",
    "PLUGPLAY",     "RCDATA",     "TOOLBAR", "VERSION",
    "VERSIONINFO",  "VXD"};

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool IsPredefinedKeyword(const std::string& upperName) {
    return std::find(std::begin(kPredefinedKeywords), std::end(kPredefinedKeywords), upperName) !=
           std::end(kPredefinedKeywords);
}

void AppendLittleEndian(std::vector<unsigned char>& out, uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) {
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

class Parser : private TokenCursor {
public:
    Parser(std::vector<Token> tokens, const std::string& scriptPath)
        : TokenCursor(std::move(tokens), scriptPath) {}

    ResourceScript Run() {
        while (Current().kind != TokenKind::EndOfScript) {
            ParseStatement();
        }
        return std::move(script_);
    }

private:
    void ParseStatement() {
        if (Current().kind == TokenKind::Number) {
            ParseResource();
        } else if (IsWord("STRINGTABLE")) {
            Advance();
            ParseStringTable();
        } else if (Current().kind == TokenKind::Word) {
            Fail(Current().line, "unsupported statement " + DescribeToken(Current()));
        } else {
            FailAtCurrent("a resource id or STRINGTABLE");
        }
    }

    uint32_t ParseResourceId() {
        if (Current().kind != TokenKind::Number) {
            FailAtCurrent("a resource id");
        }
        int64_t id = Current().number;
        if (id < 0 || id > kMaxResourceId) {
            Fail(Current().line, "resource id " + std::to_string(id) + " is not within 0..65535");
        }
        Advance();
        return static_cast<uint32_t>(id);
    }

    bool AtDialogKeyword() const {
        if (Current().kind != TokenKind::Word) {
            return false;
        }
        const std::string word = UpperCase(Current().text);
        return word == "DIALOG" || word == "DIALOGEX";
    }

    std::string ParseTypeName() {
        if (Current().kind != TokenKind::Word) {
            FailAtCurrent("a resource type name");
        }
        std::string type = UpperCase(Current().text);
        if (IsPredefinedKeyword(type)) {
            Fail(Current().line, type + " resources are not supported");
        }
        if (type == "STRING") {
            Fail(Current().line, "type name STRING is reserved for STRINGTABLE entries");
        }
        if (type.size() > oxres::kMaxTypeNameLength) {
            Fail(Current().line, "resource type name '" + type + "' is longer than 8 characters");
        }
        Advance();
        return type;
    }

    void ParseResource() {
        int line = Current().line;
        uint32_t id = ParseResourceId();
        if (AtDialogKeyword()) {
            const bool extended = UpperCase(Current().text) == "DIALOGEX";
            Advance();
            oxres::DialogTemplate dialog = ParseDialogStatement(*this, extended);
            Add("DIALOG", id, oxres::WriteDialogTemplate(dialog), line);
            return;
        }
        std::string type = ParseTypeName();
        std::vector<unsigned char> data;
        if (type == "BITMAP") {
            data = ParseBitmapFile();
        } else if (Current().kind == TokenKind::String) {
            data = ReadFileResource();
        } else if (AtBlockBegin()) {
            data = ParseDataBlock();
        } else {
            FailAtCurrent("BEGIN, '{' or a file name after the type " + type);
        }
        Add(type, id, std::move(data), line);
    }

    // Items of a BEGIN ... END block, comma-separated.
    std::vector<unsigned char> ParseDataBlock() {
        Advance();
        std::vector<unsigned char> data;
        if (AtBlockEnd()) {
            Advance();
            return data;
        }
        for (;;) {
            AppendItem(data);
            if (AtBlockEnd()) {
                Advance();
                return data;
            }
            if (Current().kind != TokenKind::Comma) {
                FailAtCurrent("',' or END");
            }
            Advance();
        }
    }

    void AppendItem(std::vector<unsigned char>& data) {
        const Token& item = Current();
        if (item.kind == TokenKind::String) {
            data.insert(data.end(), item.text.begin(), item.text.end());
        } else if (item.kind == TokenKind::Number) {
            AppendNumber(data, item);
        } else {
            FailAtCurrent("a number or a string");
        }
        Advance();
    }

    // A word of 16 bits, or 32 bits with an L suffix; negative values are
    // stored in two's complement.
    void AppendNumber(std::vector<unsigned char>& data, const Token& number) const {
        if (number.isLong) {
            if (number.number < INT32_MIN || number.number > static_cast<int64_t>(UINT32_MAX)) {
                Fail(number.line, DescribeToken(number) + " does not fit in 32 bits");
            }
            AppendLittleEndian(data, static_cast<uint32_t>(number.number), 4);
        } else {
            if (number.number < INT16_MIN || number.number > UINT16_MAX) {
                Fail(number.line,
                     DescribeToken(number) + " does not fit in 16 bits; add L for 32 bits");
            }
            AppendLittleEndian(data, static_cast<uint32_t>(number.number), 2);
        }
    }

    void ParseStringTable() {
        if (!AtBlockBegin()) {
            FailAtCurrent("BEGIN or '{' after STRINGTABLE");
        }
        Advance();
        while (!AtBlockEnd()) {
            int line = Current().line;
            uint32_t id = ParseResourceId();
            if (Current().kind == TokenKind::Comma) {
                Advance();
            }
            if (Current().kind != TokenKind::String) {
                FailAtCurrent("the string of entry " + std::to_string(id));
            }
            const std::string& text = Current().text;
            Add("STRING", id, std::vector<unsigned char>(text.begin(), text.end()), line);
            Advance();
        }
        Advance();
    }

    // A BITMAP names a .bmp file; the resource is the file without its
    // 14-byte file header, as windres stores it.
    std::vector<unsigned char> ParseBitmapFile() {
        if (Current().kind != TokenKind::String) {
            FailAtCurrent("the name of a .bmp file after BITMAP");
        }
        std::vector<unsigned char> file = ReadFileResource();
        if (file.size() < kBitmapFileHeaderSize || file[0] != 'B' || file[1] != 'M') {
            Fail(Previous().line, "'" + Previous().text + "' is not a .bmp file");
        }
        file.erase(file.begin(), file.begin() + kBitmapFileHeaderSize);
        return file;
    }

    std::vector<unsigned char> ReadFileResource() {
        std::filesystem::path path = ResolveFilePath(Current().text);
        std::error_code error;
        std::ifstream file;
        if (std::filesystem::is_regular_file(path, error)) {
            file.open(path, std::ios::binary);
        }
        if (!file.is_open()) {
            Fail(Current().line, "cannot read '" + path.string() + "'");
        }
        std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
        if (file.bad()) {
            Fail(Current().line, "cannot read '" + path.string() + "'");
        }
        script_.referencedFiles.push_back(path.string());
        Advance();
        return bytes;
    }

    // Relative to the script's folder. Backslashes are taken as separators
    // so that a path written for Windows works here too.
    std::filesystem::path ResolveFilePath(std::string name) const {
        std::replace(name.begin(), name.end(), '\\', '/');
        std::filesystem::path path(name);
        if (path.is_absolute()) {
            return path;
        }
        return std::filesystem::path(ScriptPath()).parent_path() / path;
    }

    void Add(const std::string& type, uint32_t id, std::vector<unsigned char> data, int line) {
        auto [existing, inserted] = firstLines_.emplace(std::make_pair(type, id), line);
        if (!inserted) {
            Fail(line, "duplicate resource " + type + " " + std::to_string(id) +
                           " (first defined on line " + std::to_string(existing->second) + ")");
        }
        oxres::Resource resource;
        resource.type = type;
        resource.id = id;
        resource.data = std::move(data);
        script_.resources.push_back(std::move(resource));
    }

    ResourceScript script_;
    std::map<std::pair<std::string, uint32_t>, int> firstLines_;
};

}  // namespace

ResourceScript ParseResourceScript(const std::string& text, const std::string& scriptPath) {
    return Parser(TokenizeScript(text, scriptPath), scriptPath).Run();
}

ResourceScript ReadResourceScript(const std::string& scriptPath) {
    std::ifstream file(scriptPath, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read '" + scriptPath + "'");
    }
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        throw std::runtime_error("cannot read '" + scriptPath + "'");
    }
    return ParseResourceScript(text, scriptPath);
}

}  // namespace oxrc
