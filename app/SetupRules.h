// The rules of the setup dialog that do not depend on widgets: the limits of its number fields,
// which controls another control enables, and how its text fields map onto list settings.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "Settings.h"

namespace lumbra {

class MessageSink;

// --- number fields -------------------------------------------------------------------------

struct NumberLimits {
    int min = 0;
    int max = 0;
    bool zeroMeansOne = false; // 0 is meaningless here and is stored as 1
};

inline constexpr NumberLimits kTabWidthLimits{1, 100, false};
inline constexpr NumberLimits kBoxCharsLimits{0, 999, true};   // "Charactors in Box"
inline constexpr NumberLimits kDivisorLimits{0, 99, true};     // box shift, connect position
inline constexpr NumberLimits kPositionLimits{0, 9999, false}; // position X and Y
inline constexpr NumberLimits kPenSizeLimits{0, 16, true};     // "Line width"
inline constexpr NumberLimits kLineDigitsLimits{0, 10, false};
inline constexpr NumberLimits kContextLinesLimits{0, 999, false}; // "Display Start Offset"
inline constexpr NumberLimits kLayerLimits{0, 99999, true};
inline constexpr NumberLimits kModuleLimits{0, 100000000, true};

enum class NumberState {
    Acceptable,   // a whole number within the limits
    Intermediate, // empty or out of range: may become acceptable with more typing
    Invalid,      // not a number at all
};

// How the text of a number field reads against its limits (blanks around it are ignored).
NumberState CheckNumberText(std::string_view text, const NumberLimits& limits);
// The value of acceptable text; nullopt otherwise.
std::optional<int> ParseNumberText(std::string_view text, const NumberLimits& limits);
// The value stored for a number read from a field: 0 becomes 1 where 0 is meaningless.
int StoredNumber(int value, const NumberLimits& limits);
// "Enter a whole number from %d to %d." in the interface language.
std::string NumberHint(const NumberLimits& limits);

// Stores 1 for every 0 where 0 is meaningless: the first three rows of "Screen" and "Print",
// "PenSize" and the two restrictions.
void NormalizeSetupNumbers(Settings& settings);

// --- text fields ---------------------------------------------------------------------------

inline constexpr int kNameLength = 31;          // kind names, set names, comment labels
inline constexpr int kExtensionLength = 11;     // one extension
inline constexpr int kInstructionLength = 255;  // one word group
inline constexpr int kSeparatorLength = 3;      // "Separate Char( <3 )"
inline constexpr int kNameHeadLength = 7;       // decoration characters
inline constexpr int kIncludePathLength = 8191; // the include-path text

// Text stored inside a comma-separated list value must not hold a comma: it would split the
// value into other fields when the settings are read again.
bool IsListSafeText(std::string_view text);

// The extension field of a file kind: the extensions separated by blanks.
std::string JoinExtensions(const std::array<std::string, kFilterExtensions>& extensions);
// Splits the field at blanks (tabs count as blanks) into at most ten extensions; words after
// the tenth are dropped, unused places are "".
std::array<std::string, kFilterExtensions> SplitExtensions(std::string_view text);
// Whether the field may hold `text`: no commas and no word longer than an extension may be.
bool IsExtensionFieldText(std::string_view text);

// ASCII letters to lower case; with code page 932 the trail byte of a double-byte character is
// left alone, since it may look like an ASCII capital.
void LowerCaseText(std::string& text, int codePage);

// The number at the start of a "Code Page" list entry (0 when there is none).
int CodePageOfEntry(std::string_view entry);
// The code page the "Default" button selects: the system's multibyte code page when this
// machine can convert it, else UTF-8.
int DefaultCodePage(const Environment& env);

// "Add" of "Include Path": appends the folder followed by ";" unless the text would grow longer
// than 8191 characters, which is refused with "Path Size Limit Over". False when nothing was
// added.
bool AppendIncludeFolder(std::string& text, const std::string& folder, MessageSink& sink);

// The font setting for what the font chooser returned: the height is the pixel size of the
// point size at `dpi`, the character set stays, the pitch bits follow `fixedPitch`.
FontSetting ChosenFont(const FontSetting& old, std::string face, double points, int weight,
                       bool italic, bool fixedPitch, int dpi);
// The size a font setting shows on the page, in whole points.
int FontPoints(const FontSetting& font);

// --- enabling rules --------------------------------------------------------------------------

// "AnlyOpt" positions of the two boxes that enable others besides those Settings.h names.
inline constexpr int kAnlyMemberSearch = 6;  // "Search Member Module for C++/C#"
inline constexpr int kAnlyCombineClass = 13; // "Combine Module/Class for C/C++"

// Controls whose enabled state follows another control.
enum class SetupDependent {
    DottedUndefined,      // "View doted line for undefined module": "Viewless Box line " off
    LineDigits,           // "Column": "View Line No." on
    BlockFigures,         // "Horizontal Line", "Linkage...", "Flowchart Like...": chart on
    NameHead,             // decoration characters: "Delete Addr. Decoration Char :" on
    IncludeFileConstants, // "Using Define Constant at include file": "Using Define Constant"
    MemberLink,           // "->xxx, .xxx Member Search and Link": "Search Member Module..."
    ExceptModuleFile,     // its file name, "Chg" and "Edit": "Except Module" on
    DefineConstantFile,   // its file name, "Chg" and "Edit": "Define Constant" on
    ClassOptions,         // the two "Except Class..." boxes: "Combine Module/Class..." on
    EditorFields,         // editor name, its "Chg" and the option field: "Editor" on
};

bool IsDependentEnabled(SetupDependent control, const Settings& settings);

// The program the define-file "Edit" buttons start: the external editor when it is enabled and
// named, otherwise the desktop's opener.
std::string DefineFileEditor(const Settings& settings);

} // namespace lumbra
