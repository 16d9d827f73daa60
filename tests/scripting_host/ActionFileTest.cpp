// Action files: what is written, what comes back, and what is refused.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "../support/ScratchFolder.h"
#include "SampleDescriptors.h"
#include "host/HostError.h"
#include "host/scripting/ActionFile.h"
#include "host/scripting/DescriptorJson.h"

namespace {

using oxhost::Descriptor;
using oxhost::DescriptorEntry;
using oxhost::HostError;
using oxhost::RecordedAction;
using scriptingtest::Code;

RecordedAction TintfloodAction() {
    RecordedAction action;
    action.plugin = "Tintflood...";
    action.eventClass = Code("TnFl");
    action.event = Code("TnFl");
    action.descriptor = scriptingtest::EveryKind();
    return action;
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The one-line message LoadActionFile throws for the text, or "" when it loads.
std::string LoadProblem(const std::string& text) {
    oxtest::ScratchFolder folder;
    const std::string path = folder.File("action.json");
    WriteText(path, text);
    try {
        oxhost::LoadActionFile(path);
        return "";
    } catch (const HostError& error) {
        return error.what();
    }
}

const char* kHeader =
    R"({"oxhostAction": 1, "plugin": "Tintflood...", "class": "TnFl", "event": "TnFl", )";

TEST(ActionFileTest, SavedActionsLoadBackEqual) {
    oxtest::ScratchFolder folder;
    const std::string path = folder.File("action.json");
    oxhost::SaveActionFile(TintfloodAction(), path);
    const RecordedAction loaded = oxhost::LoadActionFile(path);
    EXPECT_EQ(loaded.plugin, "Tintflood...");
    EXPECT_EQ(loaded.eventClass, Code("TnFl"));
    EXPECT_EQ(loaded.event, Code("TnFl"));
    EXPECT_EQ(loaded.descriptor, scriptingtest::EveryKind());
}

TEST(ActionFileTest, TheFileIsReadableJsonWithKeysAsText) {
    oxtest::ScratchFolder folder;
    const std::string path = folder.File("action.json");
    RecordedAction action = TintfloodAction();
    action.descriptor.entries = {
        DescriptorEntry::Boolean(Code("Ar  "), true),
        DescriptorEntry::Object(Code("BckC"), Code("RGBC"),
                                scriptingtest::ColorObject(4112, 8224, 12336))};
    oxhost::SaveActionFile(action, path);
    EXPECT_EQ(ReadText(path),
              "{\n"
              "  \"oxhostAction\": 1,\n"
              "  \"plugin\": \"Tintflood...\",\n"
              "  \"class\": \"TnFl\",\n"
              "  \"event\": \"TnFl\",\n"
              "  \"descriptor\": [\n"
              "    {\"key\":\"Ar  \",\"type\":\"boolean\",\"value\":true},\n"
              "    {\"key\":\"BckC\",\"type\":\"object\",\"class\":\"RGBC\",\"entries\":[\n"
              "      {\"key\":\"Rd  \",\"type\":\"integer\",\"value\":4112},\n"
              "      {\"key\":\"Grn \",\"type\":\"integer\",\"value\":8224},\n"
              "      {\"key\":\"Bl  \",\"type\":\"integer\",\"value\":12336},\n"
              "      {\"key\":\"0x00000000\",\"type\":\"integer\",\"value\":0}\n"
              "    ]}\n"
              "  ]\n"
              "}\n");
}

TEST(ActionFileTest, TextThatIsNotUtf8IsKeptAsHexBytes) {
    oxtest::ScratchFolder folder;
    const std::string path = folder.File("action.json");
    RecordedAction action = TintfloodAction();
    action.descriptor.entries = {DescriptorEntry::Text(Code("PltF"), "caf\xe9.aco")};
    oxhost::SaveActionFile(action, path);
    EXPECT_NE(ReadText(path).find("\"hex\":\"636166e92e61636f\""), std::string::npos);
    EXPECT_EQ(oxhost::LoadActionFile(path).descriptor, action.descriptor);
}

TEST(ActionFileTest, ANumberJsonCannotHoldIsRefusedAndTheOldFileKept) {
    oxtest::ScratchFolder folder;
    const std::string path = folder.File("action.json");
    WriteText(path, "old");
    RecordedAction action = TintfloodAction();
    action.descriptor.entries = {DescriptorEntry::Float(Code("Opct"), std::nan(""))};
    EXPECT_THROW(oxhost::SaveActionFile(action, path), HostError);
    EXPECT_EQ(ReadText(path), "old");
}

TEST(ActionFileTest, ActionsOfAnotherPlugInOrEventAreRefused) {
    const RecordedAction action = TintfloodAction();
    EXPECT_NO_THROW(
        oxhost::CheckActionFor(action, "Tintflood...", Code("TnFl"), Code("TnFl"), "a"));
    EXPECT_NO_THROW(oxhost::CheckActionFor(action, "tintflood", Code("TnFl"), Code("TnFl"), "a"));
    try {
        oxhost::CheckActionFor(action, "Virarar", Code("TnFl"), Code("TnFl"), "a.json");
        FAIL() << "another plug-in was accepted";
    } catch (const HostError& error) {
        EXPECT_STREQ(error.what(), "'a.json' was recorded for Tintflood, not for Virarar");
    }
    EXPECT_THROW(oxhost::CheckActionFor(action, "Tintflood...", Code("TnFl"), Code("Othr"), "a"),
                 HostError);
    EXPECT_THROW(oxhost::CheckActionFor(action, "Tintflood...", Code("Othr"), Code("TnFl"), "a"),
                 HostError);
}

TEST(ActionFileTest, DamagedFilesAreRefusedWithOneLineSayingWhy) {
    struct Case {
        std::string text;
        std::string problem;
    };
    const std::string header = kHeader;
    const std::vector<Case> cases = {
        {"", "parse error"},
        {header + R"("descriptor": [)", "parse error"},
        {"[]", "not a JSON object"},
        {R"({"plugin": "Tintflood...", "class": "TnFl", "event": "TnFl", "descriptor": []})",
         "missing \"oxhostAction\""},
        {R"({"oxhostAction": 2, "plugin": "T", "class": "TnFl", "event": "TnFl", "descriptor": []})",
         "unknown format 2"},
        {R"({"oxhostAction": 1, "class": "TnFl", "event": "TnFl", "descriptor": []})",
         "missing \"plugin\""},
        {R"({"oxhostAction": 1, "plugin": "T", "class": "TnF", "event": "TnFl", "descriptor": []})",
         "\"class\" is not a four-character code"},
        {header + "\"descriptor\": {}}", "the descriptor is not a JSON array"},
        {header + "\"descriptor\": [5]}", "entry 1: not a JSON object"},
        {header + R"("descriptor": [{"key": "Tlrn", "type": "long", "value": 1}]})",
         "entry 1 ('Tlrn'): unknown type \"long\""},
        {header + R"("descriptor": [{"key": "Tlrn", "type": "integer"}]})",
         "entry 1 ('Tlrn'): missing \"value\""},
        {header + R"("descriptor": [{"type": "integer", "value": 1}]})",
         "entry 1: missing \"key\""},
        {header + R"("descriptor": [{"key": "Tlrn", "type": "integer", "value": 2147483648}]})",
         "\"value\" is not a 32-bit integer"},
        {header + R"("descriptor": [{"key": "Tlrn", "type": "integer", "value": 1.5}]})",
         "\"value\" is not a 32-bit integer"},
        {header + R"("descriptor": [{"key": "RanD", "type": "boolean", "value": 1}]})",
         "\"value\" is not true or false"},
        {header + R"("descriptor": [{"key": "PltF", "type": "text", "hex": "4"}]})",
         "\"hex\" is not hexadecimal bytes"},
        {header + R"("descriptor": [{"key": "Clr ", "type": "object", "class": "RGBC",)"
                  R"( "entries": [{"key": "Rd  ", "type": "integer"}]}]})",
         "entry 1 ('Clr '), entry 1 ('Rd  '): missing \"value\""},
    };
    for (const Case& test : cases) {
        const std::string problem = LoadProblem(test.text);
        EXPECT_NE(problem.find(test.problem), std::string::npos)
            << "file: " << test.text << "\nmessage: " << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
    }
}

// Deep nesting and numbers beyond a double are refused before the library
// parses, with the line they are on; the file's name comes with every message.
TEST(ActionFileTest, NestingAndNumbersBeyondTheLimitsAreRefusedByLine) {
    const std::string limit(size_t(oxhost::kMaxJsonNesting), '[');
    EXPECT_NO_THROW(oxhost::ParseJsonText(limit + std::string(limit.size(), ']')));
    const std::string deep = "{\n\"a\": [" + std::string(100000, '[') + "\n";
    EXPECT_NE(LoadProblem(deep).find(
                  "is not a usable action file: line 2: nested deeper than 100 levels"),
              std::string::npos)
        << LoadProblem(deep);
    const std::string hugeNumber = std::string(kHeader) + "\n\"descriptor\": [{\"key\": \"Opct\"," +
                                   " \"type\": \"float\",\n\"value\": -2e308}]}";
    EXPECT_NE(LoadProblem(hugeNumber).find("line 3: the number -2e308 is too large"),
              std::string::npos)
        << LoadProblem(hugeNumber);
    // Brackets and number-like text inside strings are text.
    EXPECT_NO_THROW(oxhost::ParseJsonText("[\"" + std::string(200, '[') + " 1e999 \\\" [\"]"));
}

// A device reports no size and may never end: the size limit still holds.
TEST(ActionFileTest, ASourceWithoutEndIsRefusedAtTheSizeLimit) {
    try {
        oxhost::LoadActionFile("/dev/zero");
        FAIL() << "an endless file loaded";
    } catch (const HostError& error) {
        EXPECT_STREQ(error.what(),
                     "'/dev/zero' is not a usable action file: it is larger than any action "
                     "file (16 MB)");
    }
}

TEST(ActionFileTest, AMissingFileIsReportedByName) {
    try {
        oxhost::LoadActionFile("/nonexistent/action.json");
        FAIL() << "a missing file loaded";
    } catch (const HostError& error) {
        EXPECT_NE(std::string(error.what()).find("/nonexistent/action.json"), std::string::npos);
    }
}

TEST(DescriptorJsonTest, CodesArePrintableTextOrHexadecimal) {
    EXPECT_EQ(oxhost::CodeText(Code("Ar  ")), "Ar  ");
    EXPECT_EQ(oxhost::CodeText(0), "0x00000000");
    EXPECT_EQ(oxhost::CodeText(0x41427F43), "0x41427F43");  // DEL is not printable
    OSType code = 1;
    EXPECT_TRUE(oxhost::ParseCodeText("0x00000000", code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(oxhost::ParseCodeText("Bl  ", code));
    EXPECT_EQ(code, Code("Bl  "));
    EXPECT_TRUE(oxhost::ParseCodeText("0xdeadBEEF", code));
    EXPECT_EQ(code, 0xDEADBEEFu);
    EXPECT_FALSE(oxhost::ParseCodeText("Bl ", code));
    EXPECT_FALSE(oxhost::ParseCodeText("0x0000000g", code));
    EXPECT_FALSE(oxhost::ParseCodeText("0x000000000", code));
    EXPECT_FALSE(oxhost::ParseCodeText("B\tl ", code));
}

TEST(DescriptorJsonTest, NestingBeyondTheLimitIsRefused) {
    const auto deep =
        oxhost::DescriptorToJson(scriptingtest::NestedTo(oxhost::kMaxDescriptorDepth + 1));
    EXPECT_THROW(oxhost::DescriptorFromJson(deep), oxhost::DescriptorJsonError);
    const auto limit =
        oxhost::DescriptorToJson(scriptingtest::NestedTo(oxhost::kMaxDescriptorDepth));
    EXPECT_EQ(oxhost::DescriptorFromJson(limit),
              scriptingtest::NestedTo(oxhost::kMaxDescriptorDepth));
}

}  // namespace
