// Compiler directives in Pascal comments: "{$IFDEF}" and its family through the condition stack,
// "$define" and "$undef" constants, and "$include"/"$i" files with their pre-scan.
#pragma once

#include <string>
#include <string_view>

#include "common/ConditionalCompilation.h"
#include "pascal/PascalTokenReader.h"

namespace lumbra {

class NFileAnly;
class SourceText;

class PascalDirectives {
public:
    PascalDirectives(NFileAnly& engine, ConditionalCompilation& conditions,
                     const PascalTokenReader& reader, bool analysisPass);

    // Splits the text of a directive comment ("$IFDEF DEBUG", without the braces) into its name,
    // upper-cased ("$IFDEF"), and its operand text; false when the text is no directive.
    static bool Parse(std::string_view body, std::string& name, std::string_view& operand);
    // The conditional directive a name stands for. Names compare in any case ("$ifdef" is as
    // common as "$IFDEF"); "$ELSEIF" is "$ELIF", "$IFEND" closes a group as "$ENDIF" does, and
    // "$IFOPT" tests a compiler switch, which is never known here.
    static Directive Conditional(std::string_view upperName);

    // Moves the condition stack; returns the line state (the directive bit and the active bit).
    unsigned Condition(Directive directive, std::string_view operand);
    // The other directives of an active line: constants and include files.
    void Apply(std::string_view upperName, std::string_view operand);

private:
    void include(std::string_view operand);
    void prescan(const std::string& path, const SourceText& text);
    void prescanLine(const char* p);
    void directiveText(std::string_view body);
    std::string_view firstToken(std::string_view text) const;

    NFileAnly& engine_;
    ConditionalCompilation& conditions_;
    const PascalTokenReader& reader_;
    const bool analysisPass_;
    bool limitReported_ = false;

    // Pre-scan state of the include file being read.
    int comment_ = 0; // 0 none, 1 "{...}", 2 "(*...*)"
    std::string name_, token_;
};

} // namespace lumbra
