// The five line classes and the path number, counted on the file and on the module whose body
// holds the line.
#pragma once

#include "Records.h"

namespace lumbra {

enum class LineClass { Define, Exec, Comment, Space, Other };

inline int& Counter(FileRecord& file, LineClass c) {
    switch (c) {
    case LineClass::Define:
        return file.define;
    case LineClass::Exec:
        return file.exec;
    case LineClass::Comment:
        return file.comment;
    case LineClass::Space:
        return file.space;
    case LineClass::Other:
        break;
    }
    return file.other;
}

inline int& Counter(ModuleRecord& module, LineClass c) {
    switch (c) {
    case LineClass::Define:
        return module.define;
    case LineClass::Exec:
        return module.exec;
    case LineClass::Comment:
        return module.comment;
    case LineClass::Space:
        return module.space;
    case LineClass::Other:
        break;
    }
    return module.other;
}

// Counts one line on the file and, when a module body is open (`module` not null), on the module.
inline void CountLine(FileRecord& file, ModuleRecord* module, LineClass c) {
    ++Counter(file, c);
    if (module)
        ++Counter(*module, c);
}

// A recognised module definition: its path number starts at one and the file's total grows.
inline void StartPathNumber(FileRecord& file, ModuleRecord& module) {
    ++module.pathNumb;
    ++file.pathNumb;
}

// One branch point inside the body of `module`.
inline void AddBranchPoint(FileRecord& file, ModuleRecord* module) {
    if (!module)
        return;
    ++module->pathNumb;
    ++file.pathNumb;
}

} // namespace lumbra
