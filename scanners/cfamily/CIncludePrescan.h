// Reads a quoted include file for what it defines: its constants ("#define", "#undef"), its own
// quoted includes, and, for a function-pointer table whose initialiser is the included file, the
// modules the file names.
#pragma once

#include <string>

#include "cfamily/CTokenReader.h"
#include "common/ScanTables.h"

namespace lumbra {

class CPreprocessor;
class NFileAnly;
class SourceText;
struct ModuleRecord;

class CIncludePrescan {
public:
    // `tableScope`: the table module that receives a call for every module named, or null.
    CIncludePrescan(NFileAnly& engine, CPreprocessor& preprocessor, ModuleRecord* tableScope);

    // Reads the file at `path`; returns the number of calls recorded for the table.
    int Run(const std::string& path, const SourceText& text);

private:
    void line(const char* text);
    void directive(const char* s);
    // Code (and the rest of a directive line): comments and literals, and the module names of a
    // table initialiser.
    void code(const char* p, bool names);

    NFileAnly& engine_;
    CPreprocessor& pre_;
    ModuleRecord* table_;
    CFlavor flavor_;
    CTokenReader reader_;
    std::string path_;
    int calls_ = 0;

    bool inComment_ = false;
    bool previousActive_ = true;
    int continuation_ = 0; // 1 a function-like "#define" goes on, 2 an object-like one is joined
    bool joiningIf_ = false;
    std::string defineName_, joined_;
};

} // namespace lumbra
