// tokenizer.cpp - a configurable tokenizer for a small configuration language.
#include <cctype>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

namespace cfg {
namespace {

enum class Kind { Identifier, Number, String, Symbol, Newline, End, Error };

struct Token {
    Kind kind = Kind::End;
    std::string text;
    int line = 0;
    int column = 0;
};

const std::unordered_map<std::string_view, std::string_view> kEscapes = {
    {"n", "\n"}, {"t", "\t"}, {"\\", "\\"}, {"\"", "\""}, {"{", "{"}, {"}", "}"},
};

bool isSymbol(char c)
{
    switch (c) {
    case '{': case '}': case '[': case ']': case '=': case ',': case ':':
        return true;
    default:
        return false;
    }
}

} // namespace

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    Token next()
    {
        skipSpaceAndComments();
        Token t;
        t.line = line_;
        t.column = column_;
        if (pos_ >= text_.size()) {
            t.kind = Kind::End;
            return t;
        }
        const char c = text_[pos_];
        if (c == '\n') {
            advance();
            t.kind = Kind::Newline;
            return t;
        }
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_')
            return identifier(t);
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '-')
            return number(t);
        if (c == '"')
            return string(t);
        if (isSymbol(c)) {
            t.kind = Kind::Symbol;
            t.text = std::string(1, c);
            advance();
            return t;
        }
        t.kind = Kind::Error;
        t.text = "unexpected '" + std::string(1, c) + "'";
        advance();
        return t;
    }

    std::vector<Token> all()
    {
        std::vector<Token> tokens;
        for (Token t = next(); t.kind != Kind::End; t = next())
            tokens.push_back(std::move(t));
        return tokens;
    }

private:
    void advance()
    {
        if (text_[pos_] == '\n') {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
        ++pos_;
    }

    void skipSpaceAndComments()
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == ' ' || c == '\t' || c == '\r') {
                advance();
            } else if (c == '#') {
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    advance();
            } else {
                break;
            }
        }
    }

    Token& identifier(Token& t)
    {
        const std::size_t start = pos_;
        while (pos_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_' ||
                text_[pos_] == '.'))
            advance();
        t.kind = Kind::Identifier;
        t.text = std::string(text_.substr(start, pos_ - start));
        return t;
    }

    Token& number(Token& t)
    {
        const std::size_t start = pos_;
        if (text_[pos_] == '-')
            advance();
        while (pos_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[pos_])) ||
                                       text_[pos_] == '.' || text_[pos_] == '\''))
            advance();
        t.kind = pos_ - start == 1 && text_[start] == '-' ? Kind::Error : Kind::Number;
        t.text = std::string(text_.substr(start, pos_ - start));
        return t;
    }

    Token& string(Token& t)
    {
        advance(); // the opening quote
        t.kind = Kind::String;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            if (text_[pos_] == '\\' && pos_ + 1 < text_.size()) {
                const auto it = kEscapes.find(text_.substr(pos_ + 1, 1));
                if (it == kEscapes.end()) {
                    t.kind = Kind::Error;
                    t.text = "bad escape";
                    return t;
                }
                t.text += it->second;
                advance();
                advance();
                continue;
            }
            if (text_[pos_] == '\n') {
                t.kind = Kind::Error;
                t.text = "string runs past the end of the line";
                return t;
            }
            t.text += text_[pos_];
            advance();
        }
        if (pos_ < text_.size())
            advance(); // the closing quote
        else
            t.kind = Kind::Error;
        return t;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int column_ = 1;
};

using Value = std::variant<std::monostate, long, double, std::string, bool>;

class Parser {
public:
    explicit Parser(std::string_view text) : tokens_(Lexer(text).all()) {}

    std::optional<std::unordered_map<std::string, Value>> parse(std::string& error)
    {
        std::unordered_map<std::string, Value> values;
        std::string section;
        while (!atEnd()) {
            const Token& t = peek();
            if (t.kind == Kind::Newline) {
                ++index_;
                continue;
            }
            if (t.kind == Kind::Symbol && t.text == "[") {
                ++index_;
                if (peek().kind != Kind::Identifier)
                    return fail(error, "section name expected");
                section = take().text;
                if (!expectSymbol("]"))
                    return fail(error, "']' expected");
                continue;
            }
            if (t.kind != Kind::Identifier)
                return fail(error, "key expected");
            const std::string key = section.empty() ? take().text : section + "." + take().text;
            if (!expectSymbol("="))
                return fail(error, "'=' expected after " + key);
            auto value = parseValue();
            if (!value)
                return fail(error, "value expected for " + key);
            values[key] = std::move(*value);
        }
        return values;
    }

private:
    bool atEnd() const { return index_ >= tokens_.size(); }
    const Token& peek() const { return tokens_[index_]; }
    Token take() { return tokens_[index_++]; }

    bool expectSymbol(std::string_view symbol)
    {
        if (atEnd() || peek().kind != Kind::Symbol || peek().text != symbol)
            return false;
        ++index_;
        return true;
    }

    std::optional<Value> parseValue()
    {
        if (atEnd())
            return std::nullopt;
        const Token t = take();
        switch (t.kind) {
        case Kind::Number:
            if (t.text.find('.') != std::string::npos)
                return Value{std::stod(t.text)};
            return Value{std::stol(t.text)};
        case Kind::String:
            return Value{t.text};
        case Kind::Identifier:
            if (t.text == "true" || t.text == "false")
                return Value{t.text == "true"};
            return Value{t.text};
        default:
            return std::nullopt;
        }
    }

    std::nullopt_t fail(std::string& error, const std::string& message)
    {
        const Token& at = atEnd() ? tokens_.back() : peek();
        error = std::to_string(at.line) + ":" + std::to_string(at.column) + ": " + message;
        return std::nullopt;
    }

    std::vector<Token> tokens_;
    std::size_t index_ = 0;
};

} // namespace cfg

int run_config_demo()
{
    const char* text = R"cfg(
# demo configuration
name = "widget { 1 }"
[limits]
size = 10'000
ratio = 0.75
enabled = true
)cfg";
    std::string error;
    auto values = cfg::Parser(text).parse(error);
    if (!values) {
        std::cerr << error << '\n';
        return 1;
    }
    for (const auto& [key, value] : *values)
        std::cout << key << " (" << value.index() << ")\n";
    return 0;
}
