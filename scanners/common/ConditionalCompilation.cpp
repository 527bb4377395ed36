// Conditions, expression values and source constants for every scanner with directives.
#include "common/ConditionalCompilation.h"

#include <array>

#include "NFileAnly.h"
#include "common/Preprocessor.h"

namespace lumbra {
namespace {

// Arithmetic on signed 32-bit values that wraps around instead of overflowing.
std::int32_t wrap(std::uint32_t v) {
    return static_cast<std::int32_t>(v);
}
std::uint32_t bits(std::int32_t v) {
    return static_cast<std::uint32_t>(v);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isNumber(std::string_view t) {
    if (!t.empty() && t.front() == '-')
        t.remove_prefix(1);
    return !t.empty() && isDigit(t.front());
}

// Text that is a single number word: blanks around it, a digit, then letters, digits, '_' or '.'.
bool isNumberWord(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.remove_suffix(1);
    if (t.empty() || !isDigit(t.front()))
        return false;
    for (char c : t)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
              c == '_' || c == '.'))
            return false;
    return true;
}

void toUpper(std::string_view in, std::string& out) {
    out.assign(in);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

enum class Op : std::uint8_t {
    Other,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Equal,
    NotEqual,
    And,
    Or,
    Plus,
    Minus,
    Times,
    Divide,
    Modulo,
    BitAnd,
    BitOr,
    BitXor,
    Not,
    Complement,
    ShiftLeft,
    ShiftRight,
};

Op opOf(std::string_view t) {
    static constexpr std::array<std::pair<std::string_view, Op>, 20> kOps = {{
        {"<", Op::Less},   {"<=", Op::LessEqual}, {">", Op::Greater},    {">=", Op::GreaterEqual},
        {"==", Op::Equal}, {"!=", Op::NotEqual},  {"&&", Op::And},       {"||", Op::Or},
        {"+", Op::Plus},   {"-", Op::Minus},      {"*", Op::Times},      {"/", Op::Divide},
        {"%", Op::Modulo}, {"&", Op::BitAnd},     {"|", Op::BitOr},      {"^", Op::BitXor},
        {"!", Op::Not},    {"~", Op::Complement}, {"<<", Op::ShiftLeft}, {">>", Op::ShiftRight},
    }};
    for (const auto& [text, op] : kOps)
        if (t == text)
            return op;
    return Op::Other;
}

// A binary operator on two values; a divisor of 0 counts as 1.
std::int32_t binary(Op op, std::int32_t a, std::int32_t b) {
    switch (op) {
    case Op::Less:
        return a < b;
    case Op::LessEqual:
        return a <= b;
    case Op::Greater:
        return a > b;
    case Op::GreaterEqual:
        return a >= b;
    case Op::Equal:
        return a == b;
    case Op::NotEqual:
        return a != b;
    case Op::And:
        return a != 0 && b != 0;
    case Op::Or:
        return a != 0 || b != 0;
    case Op::Plus:
        return wrap(bits(a) + bits(b));
    case Op::Minus:
        return wrap(bits(a) - bits(b));
    case Op::Times:
        return wrap(bits(a) * bits(b));
    case Op::Divide:
        if (b == 0)
            b = 1;
        return b == -1 ? wrap(0u - bits(a)) : a / b;
    case Op::Modulo:
        if (b == 0)
            b = 1;
        return b == -1 ? 0 : a % b;
    case Op::BitAnd:
        return a & b;
    case Op::BitOr:
        return a | b;
    case Op::BitXor:
        return a ^ b;
    case Op::ShiftLeft:
        return wrap(bits(a) << (bits(b) & 31u));
    case Op::ShiftRight:
        return a >> (bits(b) & 31u); // arithmetic for negative values
    default:
        return a;
    }
}

constexpr std::pair<std::string_view, Directive> kPascalDirectives[] = {
    {"$IFDEF", Directive::IfDef}, {"$IFNDEF", Directive::IfNDef}, {"$IF", Directive::If},
    {"$ELIF", Directive::ElseIf}, {"$ELSE", Directive::Else},     {"$ENDIF", Directive::EndIf},
};

// The order of the names NFileAnly::ConditionKeywords derives.
constexpr Directive kAssemblerDirectives[] = {Directive::If,   Directive::IfDef,  Directive::IfNDef,
                                              Directive::Else, Directive::ElseIf, Directive::EndIf};

} // namespace

// --- passes --------------------------------------------------------------------------------------

void ConditionalCompilation::BeginPass(NFileAnly& engine) {
    stack_.Reset();
    engine.ClearFileConstants();
    parser_.SetCodePage(engine.GetTextReadSettings().codePage);
    includeChain_.clear();
    onChain_.clear();
    if (const FileRecord* file = engine.CurrentFile()) {
        includeChain_.push_back(file->path);
        onChain_.insert(file->path);
    }
    prescans_ = 0;
    limitReached_ = false;
}

// --- lines and directives ------------------------------------------------------------------------

bool ConditionalCompilation::Enabled(const NFileAnly& engine) {
    return engine.GetOption(kOptUseConditionInFile) != 0;
}

unsigned ConditionalCompilation::LineState(const NFileAnly& engine) const {
    return Enabled(engine) ? stack_.LineState() : kConditionActive;
}

unsigned ConditionalCompilation::DirectiveState(NFileAnly& engine, DirectiveFamily family,
                                                Directive directive, std::string_view operand) {
    if (!Enabled(engine))
        return kConditionActive;
    switch (directive) {
    case Directive::If:
    case Directive::IfDef:
    case Directive::IfNDef:
        // Inside an excluded branch the new group is excluded whatever its condition says.
        return stack_.Open(stack_.OpenNeedsCondition() &&
                           condition(engine, family, directive, operand));
    case Directive::ElseIf:
        return stack_.ElseIf(stack_.ElseIfNeedsCondition() &&
                             condition(engine, family, directive, operand));
    case Directive::Else:
        return stack_.Else();
    case Directive::EndIf:
        return stack_.EndIf();
    case Directive::None:
        break;
    }
    return stack_.LineState();
}

Directive ConditionalCompilation::PascalDirective(std::string_view name) {
    for (const auto& [text, directive] : kPascalDirectives)
        if (name == text)
            return directive;
    return Directive::None;
}

Directive ConditionalCompilation::AssemblerDirective(const NFileAnly& engine,
                                                     std::string_view token) {
    const auto& names = engine.ConditionKeywords();
    if (token.empty() || names[0].empty())
        return Directive::None;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (name.size() != token.size())
            continue;
        bool same = true;
        for (std::size_t k = 0; k < name.size() && same; ++k) {
            char c = token[k];
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            same = c == name[k];
        }
        if (same)
            return kAssemblerDirectives[i];
    }
    return Directive::None;
}

const ConstantRecord* ConditionalCompilation::lookup(NFileAnly& engine, DirectiveFamily family,
                                                     std::string_view name) {
    switch (family) {
    case DirectiveFamily::C:
        return engine.LookupConstant(name);
    case DirectiveFamily::Pascal:
        toUpper(name, upper_);
        return engine.LookupConstant(upper_);
    case DirectiveFamily::Assembler:
        // Equates keep the spelling of their label; names written in another case are found
        // upper-cased, as Pascal names are.
        if (const ConstantRecord* c = engine.LookupConstant(name))
            return c;
        toUpper(name, upper_);
        return upper_ == name ? nullptr : engine.LookupConstant(upper_);
    }
    return nullptr;
}

bool ConditionalCompilation::nameDefined(NFileAnly& engine, DirectiveFamily family,
                                         std::string_view name) {
    return !name.empty() && lookup(engine, family, name) != nullptr;
}

bool ConditionalCompilation::condition(NFileAnly& engine, DirectiveFamily family,
                                       Directive directive, std::string_view operand) {
    if (directive == Directive::IfDef)
        return nameDefined(engine, family, operand);
    if (directive == Directive::IfNDef)
        return !nameDefined(engine, family, operand);
    if (family == DirectiveFamily::C) {
        const Evaluation e = Evaluate(engine, operand, false);
        return e.status == 0 && e.value != 0;
    }
    // Pascal and assembler: one token, a number or a constant with a non-zero value.
    if (!operand.empty() && isDigit(operand.front()))
        return NFileAnly::ParseNumber(operand) != 0;
    const ConstantRecord* c = operand.empty() ? nullptr : lookup(engine, family, operand);
    return c && c->value != 0;
}

// --- values --------------------------------------------------------------------------------------

Evaluation ConditionalCompilation::Evaluate(NFileAnly& engine, std::string_view text,
                                            bool defineContext) {
    Evaluation result;
    if (isNumberWord(text)) {
        // One number ("0", "1", "0x0500", "16UL"), the most common value by far: the tokenizer
        // would make it one word of the same value.
        result.value = NFileAnly::ParseNumber(text);
        return result;
    }
    parser_.Tokenize(text);
    parser_.ToPostfix(parser_.Tokens());
    const std::vector<ParserToken>& list = parser_.Output();
    values_.clear();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ParserToken& t = list[i];
        if (t.op != 0) {
            const Op op = opOf(t.text);
            const std::size_t n = values_.size();
            if (op == Op::Not || op == Op::Complement) {
                if (n >= 1)
                    values_.back() = op == Op::Not ? !values_.back() : ~values_.back();
            } else if (n >= 2 && op != Op::Other) {
                const std::int32_t b = values_.back();
                values_.pop_back();
                values_.back() = binary(op, values_.back(), b);
            } else if (n == 1 && op == Op::Minus) {
                values_.back() = wrap(0u - bits(values_.back()));
            }
            continue; // too few operands, or no operator of an expression: skipped
        }
        if (t.text == "defined") {
            // The name follows, with or without its parentheses (they leave no trace here).
            const bool named = i + 1 < list.size() && list[i + 1].op == 0;
            values_.push_back(named && engine.LookupConstant(list[i + 1].text) ? 1 : 0);
            if (named)
                ++i;
            continue;
        }
        const bool number = isNumber(t.text);
        const ConstantRecord* c =
            number || t.kind != ParserTokenKind::Word ? nullptr : engine.LookupConstant(t.text);
        if (c) {
            if (c->isText) {
                values_.push_back(NFileAnly::ParseNumber(c->text));
                if (defineContext)
                    result.status = 1;
            } else {
                values_.push_back(c->value);
            }
            continue;
        }
        values_.push_back(NFileAnly::ParseNumber(t.text));
        if (defineContext && !number)
            result.status = 1;
    }
    if (defineContext && values_.size() != 1)
        result.status = 1; // no expression, or several
    result.value = values_.empty() ? 0 : values_.back();
    return result;
}

// --- constants -----------------------------------------------------------------------------------

void ConditionalCompilation::AddConstant(NFileAnly& engine, ConstantRecord record, bool replace) {
    if (engine.GetOption(kOptUseDefineConstant) && !record.name.empty())
        engine.AddFileConstant(std::move(record), replace);
}

void ConditionalCompilation::RemoveConstant(NFileAnly& engine, std::string_view name) {
    if (engine.GetOption(kOptUseDefineConstant))
        engine.RemoveFileConstant(name);
}

// --- include pre-scans ---------------------------------------------------------------------------

bool ConditionalCompilation::EnterInclude(const std::string& path) {
    if (onChain_.count(path))
        return false;
    if (static_cast<int>(includeChain_.size()) > kMaxIncludeDepth || prescans_ >= kMaxPrescans) {
        limitReached_ = true;
        return false;
    }
    ++prescans_;
    includeChain_.push_back(path);
    onChain_.insert(path);
    return true;
}

std::shared_ptr<const SourceText> ConditionalCompilation::IncludeText(const NFileAnly& engine,
                                                                      const std::string& path) {
    return texts_.Load(path, engine.GetTextReadSettings());
}

void ConditionalCompilation::LeaveInclude() {
    if (!includeChain_.empty()) {
        onChain_.erase(includeChain_.back());
        includeChain_.pop_back();
    }
}

} // namespace lumbra
