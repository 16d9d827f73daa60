// Reads a resource script: the subset of the windres .rc language that our
// modules use, written so that windres compiles the same file to the same
// resources on Windows.
//   <id> <TYPE> BEGIN item, item, ... END   (or { }) a user-defined resource:
//       plain numbers are 16-bit little-endian words, an L suffix makes 32 bits,
//       strings are their bytes with no terminator and no padding;
//   <id> <TYPE> "file"   the file's bytes; for BITMAP without the 14-byte
//       file header of the .bmp;
//   STRINGTABLE BEGIN <id> [,] "text" ... END   each string a resource of type
//       STRING, its bytes without terminator.
//   <id> DIALOG|DIALOGEX ...   a resource of type DIALOG in the layout of
//       bridge/platform/linux/DialogTemplate.h; DialogStatement.h gives the syntax.
// Type names are case-insensitive and kept upper-case (PiPL becomes PIPL).
// Other statements (MENU, LANGUAGE, ...) are errors.
#pragma once

#include <string>
#include <vector>

#include "bridge/platform/linux/ResourceBlobWriter.h"

namespace oxrc {

struct ResourceScript {
    std::vector<oxres::Resource> resources;    // in the order of the script
    std::vector<std::string> referencedFiles;  // files read for file resources
};

// Parses `text`. `scriptPath` names the script in messages and anchors the
// relative paths of file resources. Throws ScriptError ("file.rc:LINE: ...")
// on anything outside the subset and on a duplicate (type, id).
ResourceScript ParseResourceScript(const std::string& text, const std::string& scriptPath);

// Reads the script file at `scriptPath` and parses it.
ResourceScript ReadResourceScript(const std::string& scriptPath);

}  // namespace oxrc
