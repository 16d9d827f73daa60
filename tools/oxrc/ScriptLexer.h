// Splits a resource script into tokens. Comments and preprocessor lines
// (a '#' as the first non-blank character) are dropped; #ifdef NAME and
// #ifndef NAME with #else and #endif keep or leave out lines as if no name
// were defined; string escapes are
// decoded as windres decodes them in narrow strings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace oxrc {

enum class TokenKind { Number, String, Word, Comma, Bar, LeftBrace, RightBrace, EndOfScript };

struct Token {
    TokenKind kind = TokenKind::EndOfScript;
    int line = 0;
    std::string text;     // Word: as written; String: the decoded bytes
    int64_t number = 0;   // Number: the value, sign applied
    bool isLong = false;  // Number: written with an L suffix
};

// The tokens of `text`, ending with one EndOfScript token. Throws ScriptError
// (naming `scriptName` and the line) on a character or literal it cannot read.
std::vector<Token> TokenizeScript(const std::string& text, const std::string& scriptName);

// How a token reads in an error message: 'word', "string", 12, ','.
std::string DescribeToken(const Token& token);

}  // namespace oxrc
