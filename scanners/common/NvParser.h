// A small table-driven lexer for C++ text that cuts conditional expressions into tokens and
// rearranges them into postfix order for evaluation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumbra {

enum class ParserTokenKind {
    Blank,
    Tab,
    LineEnd,
    Word, // word or number
    Keyword,
    Operator,
    String,
    Character,
    Comment,
    StatementEnd,
};

struct ParserToken {
    std::string text;
    ParserTokenKind kind = ParserTokenKind::Word;
    int op = 0; // position in the operator table (1-based); 0 when the token is no operator
};

class CNvParser {
public:
    CNvParser();
    virtual ~CNvParser() = default;

    // Cuts the text into the token list.
    virtual void Tokenize(std::string_view text);
    // Converts a token list into the output list in postfix order.
    virtual void ToPostfix(const std::vector<ParserToken>& tokens);
    // Position (1-based) of the first operator whose text begins `text`, and its length; 0 when
    // none matches.
    int MatchOperator(std::string_view text, int& length) const;
    // Position of the keyword equal to the word; 0 when it is no keyword.
    int FindKeyword(std::string_view word) const;
    // First (which 0) or second (which 1) precedence number of the operator at a position.
    int GetPrecedence(int position, int which) const;
    void SetCodePage(int codePage) { codePage_ = codePage; }

    const std::vector<ParserToken>& Tokens() const { return tokens_; }
    const std::vector<ParserToken>& Output() const { return output_; }

protected:
    std::vector<ParserToken> tokens_;
    std::vector<ParserToken> output_;
    std::vector<const ParserToken*> stack_; // operators of the postfix conversion
    int codePage_;

private:
    bool isLeadByte(unsigned char c) const;
    // Length of the delimited span (comment or literal) opening at text[0]; 0 when none opens.
    std::size_t spanLength(std::string_view text, ParserTokenKind& kind) const;
};

// The C++ variant: joins a number and its signed exponent ("1e", "+", "5" -> "1e+5").
class CNvParserCpp : public CNvParser {
public:
    void Tokenize(std::string_view text) override;
};

} // namespace lumbra
