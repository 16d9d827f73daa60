// A cursor over the tokens of a resource script, shared by the statement
// parsers, with the error reporting they all use.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ScriptError.h"
#include "ScriptLexer.h"

namespace oxrc {

class TokenCursor {
public:
    TokenCursor(std::vector<Token> tokens, std::string scriptPath)
        : tokens_(std::move(tokens)), scriptPath_(std::move(scriptPath)) {}

    // The tokens end with EndOfScript, where the cursor stays.
    const Token& Current() const { return tokens_[pos_]; }
    // The token before the current one; only valid after an Advance.
    const Token& Previous() const { return tokens_[pos_ - 1]; }
    void Advance() {
        if (Current().kind != TokenKind::EndOfScript) {
            ++pos_;
        }
    }
    const std::string& ScriptPath() const { return scriptPath_; }

    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw ScriptError(scriptPath_, line, message);
    }
    [[noreturn]] void FailAtCurrent(const std::string& expected) const {
        Fail(Current().line, "expected " + expected + ", found " + DescribeToken(Current()));
    }

    bool IsWord(const char* word) const {
        return Current().kind == TokenKind::Word && Current().text == word;
    }
    bool AtBlockBegin() const { return Current().kind == TokenKind::LeftBrace || IsWord("BEGIN"); }
    bool AtBlockEnd() const { return Current().kind == TokenKind::RightBrace || IsWord("END"); }

    // Consumes a comma, or fails naming what should have followed.
    void ExpectComma(const std::string& before) {
        if (Current().kind != TokenKind::Comma) {
            FailAtCurrent("',' before " + before);
        }
        Advance();
    }

private:
    std::vector<Token> tokens_;
    size_t pos_ = 0;
    std::string scriptPath_;
};

}  // namespace oxrc
