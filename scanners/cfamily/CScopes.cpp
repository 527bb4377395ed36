// Qualified names and scope nesting of the C-family scanner.
#include "cfamily/CScopes.h"

#include "Records.h"

namespace lumbra {

namespace {
void join(std::string& out, std::string_view a, std::string_view sep, std::string_view b) {
    out.assign(a);
    out.append(sep);
    out.append(b);
}
bool hasDot(std::string_view s) {
    return s.find('.') != std::string_view::npos;
}
} // namespace

void CScopes::Reset() {
    namespace_.clear();
    class_.clear();
    nested_.clear();
    level_ = 0;
    inClass_ = false;
    stack_.clear();
}

void CScopes::QualifyClass(std::string_view name, std::string& out) const {
    if (namespace_.empty())
        out.assign(name);
    else
        join(out, namespace_, hasDot(namespace_) ? "::" : ".", name);
}

void CScopes::Qualify(std::string_view name, std::string& out) const {
    if (!nested_.empty() && !class_.empty()) {
        if (!namespace_.empty() && hasDot(nested_)) {
            join(out, nested_, "::", name);
        } else {
            join(out, class_, "::", nested_);
            out.append("::");
            out.append(name);
        }
        return;
    }
    if (!class_.empty())
        join(out, class_, "::", name); // the class name already carries the namespace
    else
        QualifyClass(name, out);
}

void CScopes::push(Kind kind, int depth, ModuleRecord* module) {
    stack_.push_back({kind, depth, module, namespace_, class_, nested_, level_, inClass_});
}

void CScopes::OpenNamespace(std::string_view name, int depth, ModuleRecord* module) {
    push(Kind::Namespace, depth, module);
    if (!name.empty())
        namespace_.assign(name);
    ++level_;
}

void CScopes::OpenClass(std::string_view qualifiedName, int depth, ModuleRecord* module) {
    push(Kind::Class, depth, module);
    class_.assign(qualifiedName);
    nested_.clear();
    inClass_ = true;
}

void CScopes::OpenNested(std::string_view name, int depth, ModuleRecord* module) {
    push(Kind::Nested, depth, module);
    if (nested_.empty()) {
        nested_.assign(name);
    } else {
        nested_.append("::");
        nested_.append(name);
    }
    ++level_;
}

void CScopes::OpenAnonymous(int depth) {
    push(Kind::Anonymous, depth, nullptr);
    ++level_;
}

void CScopes::EnterMemberOf(std::string_view className, int depth) {
    push(Kind::Member, depth, nullptr);
    class_.assign(className);
    nested_.clear();
}

bool CScopes::CloseTo(int depth) {
    bool closed = false;
    while (!stack_.empty() && stack_.back().depth >= depth) {
        Saved& s = stack_.back();
        namespace_ = std::move(s.namespaceName);
        class_ = std::move(s.className);
        nested_ = std::move(s.nestedName);
        level_ = s.level;
        inClass_ = s.inClass;
        stack_.pop_back();
        closed = true;
    }
    return closed;
}

int CScopes::NamedLevel() const {
    int level = level_;
    for (const Saved& s : stack_)
        level -= s.kind == Kind::Anonymous ? 1 : 0;
    return level;
}

ModuleRecord* CScopes::InnermostModule() const {
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it)
        if (it->module)
            return it->module;
    return nullptr;
}

ModuleRecord* CScopes::ClassModuleAt(int depth) const {
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
        if (it->kind == Kind::Class || it->kind == Kind::Nested)
            return it->depth < depth ? it->module : nullptr;
        if (it->kind == Kind::Namespace)
            return nullptr;
    }
    return nullptr;
}

ModuleRecord* CScopes::NamespaceModule() const {
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it)
        if (it->kind == Kind::Namespace && it->module)
            return it->module;
    return nullptr;
}

ModuleRecord* CScopes::EnclosingClassModule() const {
    bool skippedInnermost = false;
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
        if (it->kind != Kind::Class && it->kind != Kind::Nested)
            continue;
        if (skippedInnermost)
            return it->module;
        skippedInnermost = true;
    }
    return nullptr;
}

} // namespace lumbra
