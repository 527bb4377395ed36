// Tokenizer tables and the postfix conversion.
#include "common/NvParser.h"

#include <array>
#include <cstdint>

#include "CodePage.h"

namespace lumbra {
namespace {

struct OperatorEntry {
    std::string_view text;
    int first;  // binary precedence used by the postfix conversion
    int second; // carried with the entry
};

// Matching takes the first entry that begins the text, so longer operators come before their
// prefixes where the table order says so ("->" before "-", ">>=" before ">>").
constexpr OperatorEntry kOperators[] = {
    {" ", 0, 0},   {"\t", 0, 0},  {"::", 17, 17}, {"->", 16, 14}, {"||", 4, 0},  {"==", 9, 0},
    {"!=", 9, 0},  {">=", 10, 0}, {"<=", 10, 0},  {"+=", 0, 0},   {"-=", 0, 0},  {"*=", 0, 2},
    {"/=", 0, 2},  {"&=", 0, 2},  {"%=", 0, 2},   {"~=", 0, 2},   {"|=", 0, 2},  {"^=", 0, 2},
    {">>=", 0, 2}, {"<<=", 0, 2}, {"++", 15, 15}, {"--", 15, 15}, {"&&", 5, 3},  {"<<", 11, 3},
    {">>", 11, 3}, {",", 16, 0},  {"=", 0, 2},    {"<", 10, 0},   {">", 10, 0},  {"{", 0, 0},
    {"[", 16, 0},  {"]", 16, 0},  {"(", 16, 0},   {")", 0, 0},    {"^", 7, 3},   {"~", 15, 15},
    {"!", 15, 15}, {"|", 6, 0},   {"-", 12, 15},  {"%", 13, 0},   {"+", 12, 15}, {"}", 0, 0},
    {"/", 13, 15}, {"*", 13, 15}, {"&", 8, 0},    {";", 0, 0},    {"?", 0, 0},   {":", 0, 0},
    {"\\", 1, 0},
};

// Position 0 is a blank entry, so 0 means "no keyword".
constexpr std::string_view kKeywords[] = {
    "",        "asm",      "auto",     "break",   "case",      "catch",   "char",     "class",
    "const",   "continue", "default",  "delete",  "do",        "double",  "else",     "enum",
    "extern",  "float",    "for",      "friend",  "goto",      "if",      "inline",   "int",
    "long",    "new",      "operator", "private", "protected", "public",  "register", "return",
    "short",   "signed",   "sizeof",   "static",  "struct",    "switch",  "template", "this",
    "throw",   "try",      "typedef",  "union",   "unsigned",  "virtual", "void",     "volatile",
    "while",   "#if",      "#ifdef",   "#ifndef", "#else",     "#elif",   "#elseif",  "#endif",
    "#define", "#undef",   "#include", "#pragma",
};

constexpr std::string_view kStatementEnd = ";";

constexpr std::size_t kMaxOperatorsPerByte = 5;

// For each first byte, the table positions (1-based, table order) of the operators starting with
// it, so that matching compares only those.
struct OperatorsByFirstByte {
    std::array<std::array<std::uint8_t, kMaxOperatorsPerByte>, 256> positions{};
    std::array<bool, 256> breaksWord{}; // starts an operator, a span or a line end

    constexpr OperatorsByFirstByte() {
        for (std::size_t i = 0; i < std::size(kOperators); ++i) {
            const auto first = static_cast<unsigned char>(kOperators[i].text[0]);
            std::size_t k = 0;
            while (positions[first][k] != 0)
                ++k;
            positions[first][k] = static_cast<std::uint8_t>(i + 1);
            breaksWord[first] = true;
        }
        for (char c : std::string_view("/\"'\r\n"))
            breaksWord[static_cast<unsigned char>(c)] = true;
    }
};

constexpr OperatorsByFirstByte kByFirstByte;
static_assert(std::size(kOperators) < 255, "positions fit in a byte");

int positionOf(std::string_view text) {
    for (std::size_t i = 0; i < std::size(kOperators); ++i)
        if (text == kOperators[i].text)
            return static_cast<int>(i) + 1;
    return 0;
}

const int kOpenParen = positionOf("(");
const int kCloseParen = positionOf(")");

bool isNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-';
}

bool isPlainNumber(std::string_view s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (!isNumberChar(c))
            return false;
    return true;
}

bool isAwaitingExponent(std::string_view s) {
    std::size_t e = s.find_first_of("eE");
    if (e == std::string_view::npos || e == 0)
        return false;
    for (std::size_t i = 0; i < e; ++i)
        if (!isNumberChar(s[i]))
            return false;
    std::string_view after = s.substr(e + 1);
    return after.empty() || isPlainNumber(after);
}

} // namespace

CNvParser::CNvParser() : codePage_(kDefaultCodePage) {}

bool CNvParser::isLeadByte(unsigned char c) const {
    return codePage_ == kCodePageShiftJis && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC));
}

int CNvParser::MatchOperator(std::string_view text, int& length) const {
    length = 0;
    if (text.empty())
        return 0;
    for (std::uint8_t position : kByFirstByte.positions[static_cast<unsigned char>(text[0])]) {
        if (position == 0)
            break;
        const std::string_view op = kOperators[position - 1].text;
        if (text.substr(0, op.size()) == op) {
            length = static_cast<int>(op.size());
            return position;
        }
    }
    return 0;
}

int CNvParser::FindKeyword(std::string_view word) const {
    // Every keyword starts with a lower-case letter or '#'; most words of expressions do not.
    if (word.empty() || !((word[0] >= 'a' && word[0] <= 'z') || word[0] == '#'))
        return 0;
    for (std::size_t i = 1; i < std::size(kKeywords); ++i)
        if (word == kKeywords[i])
            return static_cast<int>(i);
    return 0;
}

int CNvParser::GetPrecedence(int position, int which) const {
    if (position < 1 || position > static_cast<int>(std::size(kOperators)))
        return 0;
    const OperatorEntry& e = kOperators[static_cast<std::size_t>(position - 1)];
    return which == 0 ? e.first : which == 1 ? e.second : 0;
}

std::size_t CNvParser::spanLength(std::string_view text, ParserTokenKind& kind) const {
    if (text.substr(0, 2) == "/*") {
        kind = ParserTokenKind::Comment;
        std::size_t end = text.find("*/", 2);
        return end == std::string_view::npos ? text.size() : end + 2;
    }
    if (text.substr(0, 2) == "//") {
        kind = ParserTokenKind::Comment;
        std::size_t end = text.find_first_of("\r\n");
        return end == std::string_view::npos ? text.size() : end;
    }
    if (text[0] == '"' || text[0] == '\'') {
        kind = text[0] == '"' ? ParserTokenKind::String : ParserTokenKind::Character;
        for (std::size_t i = 1; i < text.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(text[i]);
            if (isLeadByte(c) || c == '\\') {
                ++i; // an escape or a double-byte character keeps its second byte
                continue;
            }
            if (text[i] == text[0])
                return i + 1;
        }
        return text.size();
    }
    return 0;
}

void CNvParser::Tokenize(std::string_view text) {
    tokens_.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        std::string_view rest = text.substr(i);
        ParserTokenKind spanKind;
        if (std::size_t n = spanLength(rest, spanKind)) {
            tokens_.push_back({std::string(rest.substr(0, n)), spanKind, 0});
            i += n;
            continue;
        }
        int length = 0;
        if (!isLeadByte(static_cast<unsigned char>(rest[0]))) {
            if (int op = MatchOperator(rest, length)) {
                std::string_view t = rest.substr(0, static_cast<std::size_t>(length));
                ParserTokenKind kind = t == " "             ? ParserTokenKind::Blank
                                       : t == "\t"          ? ParserTokenKind::Tab
                                       : t == kStatementEnd ? ParserTokenKind::StatementEnd
                                                            : ParserTokenKind::Operator;
                tokens_.push_back({std::string(t), kind, op});
                i += static_cast<std::size_t>(length);
                continue;
            }
        }
        if (rest[0] == '\r' || rest[0] == '\n') {
            std::size_t n = rest.substr(0, 2) == "\r\n" ? 2 : 1;
            tokens_.push_back({std::string(rest.substr(0, n)), ParserTokenKind::LineEnd, 0});
            i += n;
            continue;
        }
        // A word runs to the next blank, tab, operator, span opening or line end.
        std::size_t j = 0;
        while (j < rest.size()) {
            unsigned char c = static_cast<unsigned char>(rest[j]);
            if (isLeadByte(c)) {
                j += 2;
                continue;
            }
            if (!kByFirstByte.breaksWord[c]) {
                ++j;
                continue;
            }
            std::string_view tail = rest.substr(j);
            ParserTokenKind k;
            if (c == '\r' || c == '\n' || MatchOperator(tail, length) || spanLength(tail, k))
                break;
            ++j;
        }
        j = std::min(j, rest.size());
        std::string word(rest.substr(0, j));
        ParserTokenKind kind = FindKeyword(word) ? ParserTokenKind::Keyword : ParserTokenKind::Word;
        tokens_.push_back({std::move(word), kind, 0});
        i += j;
    }
}

void CNvParser::ToPostfix(const std::vector<ParserToken>& tokens) {
    if (&tokens == &output_) {
        const std::vector<ParserToken> copy = tokens; // the output list is rewritten below
        ToPostfix(copy);
        return;
    }
    output_.clear();
    std::vector<const ParserToken*>& stack = stack_;
    stack.clear();
    for (const ParserToken& t : tokens) {
        switch (t.kind) {
        case ParserTokenKind::Blank:
        case ParserTokenKind::Tab:
        case ParserTokenKind::LineEnd:
        case ParserTokenKind::Comment:
        case ParserTokenKind::StatementEnd:
            continue;
        default:
            break;
        }
        if (t.op == 0) {
            output_.push_back(t);
            continue;
        }
        if (t.op == kCloseParen) {
            while (!stack.empty() && stack.back()->op != kOpenParen) {
                output_.push_back(*stack.back());
                stack.pop_back();
            }
            if (!stack.empty())
                stack.pop_back(); // the "("
            continue;
        }
        const int p = GetPrecedence(t.op, 0);
        while (!stack.empty() && stack.back()->op != kOpenParen &&
               GetPrecedence(stack.back()->op, 0) >= p) {
            output_.push_back(*stack.back());
            stack.pop_back();
        }
        stack.push_back(&t);
    }
    while (!stack.empty()) {
        if (stack.back()->op != kOpenParen && stack.back()->op != kCloseParen)
            output_.push_back(*stack.back());
        stack.pop_back();
    }
}

void CNvParserCpp::Tokenize(std::string_view text) {
    CNvParser::Tokenize(text);
    // Joined in place: `kept` tokens are final, the one before `i` is the last kept.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < tokens_.size(); ++i) {
        const ParserToken& t = tokens_[i];
        if ((t.text == "+" || t.text == "-") && kept > 0 && i + 1 < tokens_.size() &&
            isAwaitingExponent(tokens_[kept - 1].text) && isPlainNumber(tokens_[i + 1].text)) {
            tokens_[kept - 1].text += t.text;
            tokens_[kept - 1].text += tokens_[i + 1].text;
            ++i;
            continue;
        }
        if (kept != i)
            tokens_[kept] = std::move(tokens_[i]);
        ++kept;
    }
    tokens_.resize(kept);
}

} // namespace lumbra
