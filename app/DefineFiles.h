// The two define files the user names in the settings: constants for conditional compilation
// ("#define NAME VALUE" lines) and modules to leave out of the analysis (the "[Except]" list).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "BuildDefinitions.h"
#include "NFileAnly.h"

namespace lumbra {

// Adds every "#define NAME [VALUE]" line of the file (read with the C-family token reader) to
// the engine's global constants: an empty value counts 1, "0x" values are hexadecimal, others
// decimal, and the first definition of a name stays. A file that cannot be read is reported
// ("Constant define file not found.") and adds nothing.
bool ReadConstantDefineFile(NFileAnly& engine, const std::string& path);

// Adds every line after an "[Except]" header to the engine's exception list; lines beginning
// with ';' are comments and other "[...]" headers leave the reading as it is. A file that cannot
// be read is reported ("Exception define file not found.") and adds nothing.
bool ReadExceptionDefineFile(NFileAnly& engine, const std::string& path);

// The constant of a "NAME[=VALUE]" definition (the command line's --define, a compiler's -D),
// read as a line of the constant define file: no value counts 1, "0x" values are hexadecimal,
// others decimal.
ConstantRecord ConstantFromDefinition(std::string_view define);

// Puts definitions given besides the settings into an engine that ConfigureEngine has just
// configured: their include folders after the settings' own (`settingsIncludePath`), their
// constants ahead of the define file's and "WINVER". Among the sets, and within each, the
// first definition of a name wins.
void ApplyBuildDefinitions(NFileAnly& engine, std::string_view settingsIncludePath,
                           std::initializer_list<const BuildDefinitions*> sets);

} // namespace lumbra
