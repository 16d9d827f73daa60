#include "ScriptLexer.h"

#include <cstdio>

#include "ScriptError.h"

namespace oxrc {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsWordChar(char c) {
    return IsLetter(c) || IsDigit(c);
}

int HexDigitValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string DescribeChar(char c) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x21 && byte < 0x7F) {
        return std::string("'") + c + "'";
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", byte);
    return std::string("byte ") + hex;
}

TokenKind PunctuationKind(char c) {
    switch (c) {
        case ',':
            return TokenKind::Comma;
        case '|':
            return TokenKind::Bar;
        case '{':
            return TokenKind::LeftBrace;
        default:
            return TokenKind::RightBrace;
    }
}

// Escapes that stand for one fixed character.
struct SimpleEscape {
    char letter;
    char value;
};
constexpr SimpleEscape kSimpleEscapes[] = {{'n', '\n'},  {'t', '\t'}, {'r', '\r'},
                                           {'\\', '\\'}, {'"', '"'},  {'\'', '\''}};

// Largest magnitude a number may have: anything that fits in 32 bits.
constexpr uint64_t kMaxMagnitude = 0xFFFFFFFFu;

class Lexer {
public:
    Lexer(const std::string& text, const std::string& scriptName)
        : text_(text), scriptName_(scriptName) {}

    std::vector<Token> Run() {
        std::vector<Token> tokens;
        while (SkipBlanksAndComments()) {
            tokens.push_back(NextToken());
        }
        if (!conditions_.empty()) {
            Fail(line_, "#ifdef or #ifndef without #endif");
        }
        Token end;
        end.kind = TokenKind::EndOfScript;
        end.line = line_;
        tokens.push_back(end);
        return tokens;
    }

private:
    char Peek(size_t ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
    }
    bool AtEnd() const { return pos_ >= text_.size(); }

    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw ScriptError(scriptName_, line, message);
    }

    void SkipRestOfLine() {
        while (!AtEnd() && Peek() != '\n') {
            ++pos_;
        }
    }

    bool Active() const { return conditions_.empty() || conditions_.back().active; }

    // Conditionals keep or leave out the lines up to their #else or #endif.
    // This compiler defines no names: it builds the resources of the Linux
    // modules, so what a script keeps for one Windows target alone (#ifdef
    // _WIN64) is left out, as a 32-bit windres build leaves it out. Other
    // directives (#include <windows.h>, #define) are ignored.
    void HandleDirective() {
        const size_t start = pos_ + 1;
        SkipRestOfLine();
        std::string directive = text_.substr(start, pos_ - start);
        const size_t nameStart = directive.find_first_not_of(" \t");
        directive = nameStart == std::string::npos ? "" : directive.substr(nameStart);
        const std::string name = directive.substr(0, directive.find_first_of(" \t\r/"));
        if (name == "ifdef" || name == "ifndef") {
            // No name is defined: #ifndef keeps its lines, #ifdef leaves them out.
            conditions_.push_back({Active(), Active() && name == "ifndef"});
        } else if (name == "else") {
            if (conditions_.empty()) {
                Fail(line_, "#else without #ifdef");
            }
            Condition& condition = conditions_.back();
            condition.active = condition.outerActive && !condition.active;
        } else if (name == "endif") {
            if (conditions_.empty()) {
                Fail(line_, "#endif without #ifdef");
            }
            conditions_.pop_back();
        } else if (name == "if" || name == "elif") {
            Fail(line_, "#" + name + " is not supported; use #ifdef or #ifndef");
        }
    }

    void SkipBlockComment() {
        int startLine = line_;
        pos_ += 2;
        while (!(Peek() == '*' && Peek(1) == '/')) {
            if (AtEnd()) {
                Fail(startLine, "unterminated /* comment");
            }
            if (Peek() == '\n') {
                ++line_;
            }
            ++pos_;
        }
        pos_ += 2;
    }

    // Moves to the start of the next token; false at the end of the text.
    bool SkipBlanksAndComments() {
        while (!AtEnd()) {
            char c = Peek();
            if (c == '\n') {
                ++line_;
                ++pos_;
                atLineStart_ = true;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++pos_;
            } else if (c == '#' && atLineStart_) {
                HandleDirective();
            } else if (!Active()) {
                // A line inside a conditional that is left out.
                SkipRestOfLine();
            } else if (c == '/' && Peek(1) == '/') {
                SkipRestOfLine();
            } else if (c == '/' && Peek(1) == '*') {
                SkipBlockComment();
            } else {
                return true;
            }
        }
        return false;
    }

    Token NextToken() {
        atLineStart_ = false;
        Token token;
        token.line = line_;
        char c = Peek();
        if (c == ',' || c == '|' || c == '{' || c == '}') {
            token.kind = PunctuationKind(c);
            token.text = std::string(1, c);
            ++pos_;
        } else if (c == '"') {
            ReadString(token);
        } else if (IsDigit(c) || (c == '-' && IsDigit(Peek(1)))) {
            ReadNumber(token);
        } else if (IsLetter(c)) {
            ReadWord(token);
        } else {
            Fail(line_, "unexpected " + DescribeChar(c));
        }
        return token;
    }

    void ReadWord(Token& token) {
        size_t start = pos_;
        while (IsWordChar(Peek())) {
            ++pos_;
        }
        token.kind = TokenKind::Word;
        token.text = text_.substr(start, pos_ - start);
        if (token.text == "L" && Peek() == '"') {
            Fail(line_, "wide strings (L\"...\") are not supported");
        }
    }

    void ReadNumber(Token& token) {
        bool negative = Peek() == '-';
        if (negative) {
            ++pos_;
        }
        int base = 10;
        if (Peek() == '0' && (Peek(1) == 'x' || Peek(1) == 'X')) {
            base = 16;
            pos_ += 2;
            if (HexDigitValue(Peek()) < 0) {
                Fail(line_, "malformed number: 0x without hex digits");
            }
        }
        uint64_t magnitude = 0;
        for (int digit = HexDigitValue(Peek()); digit >= 0 && digit < base;
             digit = HexDigitValue(Peek())) {
            magnitude = magnitude * base + digit;
            if (magnitude > kMaxMagnitude) {
                Fail(line_, "number does not fit in 32 bits");
            }
            ++pos_;
        }
        if (Peek() == 'L' || Peek() == 'l') {
            token.isLong = true;
            ++pos_;
        }
        if (IsWordChar(Peek())) {
            Fail(line_, "malformed number: unexpected " + DescribeChar(Peek()));
        }
        token.kind = TokenKind::Number;
        token.number =
            negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    }

    void ReadString(Token& token) {
        int startLine = line_;
        ++pos_;
        std::string bytes;
        for (;;) {
            char c = Peek();
            if (AtEnd() || c == '\n') {
                Fail(startLine, "unterminated string");
            }
            if (c == '"' && Peek(1) == '"') {
                bytes += '"';
                pos_ += 2;
            } else if (c == '"') {
                ++pos_;
                break;
            } else if (c == '\\') {
                bytes += ReadEscape();
            } else {
                bytes += c;
                ++pos_;
            }
        }
        token.kind = TokenKind::String;
        token.text = bytes;
    }

    // Decodes the escape sequence at the backslash under the cursor.
    char ReadEscape() {
        ++pos_;
        char c = Peek();
        for (const SimpleEscape& escape : kSimpleEscapes) {
            if (c == escape.letter) {
                ++pos_;
                return escape.value;
            }
        }
        if (c == 'x') {
            return ReadHexEscape();
        }
        if (IsOctalDigit(c)) {
            return ReadOctalEscape();
        }
        if (AtEnd() || c == '\n') {
            Fail(line_, "unterminated string");
        }
        Fail(line_, "unknown escape sequence: backslash before " + DescribeChar(c));
    }

    // \xH or \xHH: at most two digits, so "\x41BC" is "ABC".
    char ReadHexEscape() {
        ++pos_;
        int value = 0;
        int digits = 0;
        while (digits < 2 && HexDigitValue(Peek()) >= 0) {
            value = value * 16 + HexDigitValue(Peek());
            ++pos_;
            ++digits;
        }
        if (digits == 0) {
            Fail(line_, "\\x escape without hex digits");
        }
        return static_cast<char>(value);
    }

    // \o, \oo or \ooo, at most 0377.
    char ReadOctalEscape() {
        int value = 0;
        for (int digits = 0; digits < 3 && IsOctalDigit(Peek()); ++digits) {
            value = value * 8 + (Peek() - '0');
            ++pos_;
        }
        if (value > 0xFF) {
            Fail(line_, "octal escape does not fit in a byte");
        }
        return static_cast<char>(value);
    }

    const std::string& text_;
    const std::string& scriptName_;
    size_t pos_ = 0;
    int line_ = 1;
    bool atLineStart_ = true;
    struct Condition {
        bool outerActive;  // whether the lines around the conditional are kept
        bool active;       // whether the lines of the current branch are kept
    };
    std::vector<Condition> conditions_;
};

}  // namespace

std::vector<Token> TokenizeScript(const std::string& text, const std::string& scriptName) {
    return Lexer(text, scriptName).Run();
}

std::string DescribeToken(const Token& token) {
    switch (token.kind) {
        case TokenKind::Number:
            return std::to_string(token.number) + (token.isLong ? "L" : "");
        case TokenKind::String:
            return "\"" + token.text + "\"";
        case TokenKind::Word:
            return "'" + token.text + "'";
        case TokenKind::EndOfScript:
            return "end of file";
        default:
            return "'" + token.text + "'";
    }
}

}  // namespace oxrc
