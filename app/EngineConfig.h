// Hands the settings to the analysis engine: the one place where the desktop program and the
// command line turn settings into engine options, word tables, define files and file kinds.
#pragma once

#include <string_view>

#include "FileInput.h"
#include "Settings.h"

namespace lumbra {

class NFileAnly;

// Configures the engine from the settings: the assembler words of the selected instruction set,
// header-comment labels and separators, decoration characters, the twenty options and three
// count options, the text-reading settings, fold defaults, include paths, tree sort order, the
// exception and constant define files (reported through the engine's message sink when missing)
// and "WINVER". Also sets the language setting and the extension table of `input`.
void ConfigureEngine(NFileAnly& engine, const Settings& settings, FileInputOptions& input);

// The extension table of the four language kinds ("Filter1" to "Filter4").
ExtensionTable ExtensionTableFrom(const Settings& settings);

// The running system's version as "WINVER" holds it: major * 256 + (minor & 255) of the
// kernel release.
int RunningSystemVersion();
// The same from a release text such as "6.1.0-18-amd64" (0 for parts that are missing).
int SystemVersionFromRelease(std::string_view release);

} // namespace lumbra
