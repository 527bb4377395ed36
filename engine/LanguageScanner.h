// The interface every language scanner implements; the engine calls it for each file.
#pragma once

#include <memory>

namespace lumbra {

class NFileAnly;
struct FileRecord;
class SourceText;

class LanguageScanner {
public:
    virtual ~LanguageScanner() = default;

    // First pass, at registration: module definitions, line classes, path numbers, constants,
    // include files, and the line table sized for the file. `file` is the engine's current file.
    virtual void DefinitionPass(NFileAnly& engine, FileRecord& file, const SourceText& text) = 0;

    // Second pass, during the analysis run: calls, line attribute words, the line-table
    // finishing step.
    virtual void AnalysisPass(NFileAnly& engine, FileRecord& file, const SourceText& text) = 0;

    // Called once at the start of every analysis, after the class nodes are made and before any
    // second pass (scanners that make modules from cross-file knowledge use it).
    virtual void BeforeAnalysis(NFileAnly& engine) {}
};

} // namespace lumbra
