// The class and namespace scopes of the C-family scanner: the names that qualify module names,
// the container level, and the stack that restores them when a scope's brace closes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumbra {

struct ModuleRecord;

class CScopes {
public:
    void Reset();

    int ContainerLevel() const { return level_; }
    // The container level without the unnamed blocks (extern "C").
    int NamedLevel() const;
    bool InClass() const { return inClass_; }
    const std::string& Namespace() const { return namespace_; }
    const std::string& ClassName() const { return class_; }
    const std::string& NestedName() const { return nested_; }
    bool HasNames() const { return !namespace_.empty() || !class_.empty(); }

    // Brace depth of the declarations of the innermost scope: the container level, or one
    // deeper in a class body.
    int ScopeLevel() const { return level_ + (inClass_ ? 1 : 0); }
    bool AtScopeLevel(int depth) const {
        return depth == level_ || (inClass_ && depth == level_ + 1);
    }
    bool DirectlyInClass(int depth) const { return inClass_ && depth == level_ + 1; }

    // A member or function name qualified by the open scopes.
    void Qualify(std::string_view name, std::string& out) const;
    // A class name qualified by the namespace alone.
    void QualifyClass(std::string_view name, std::string& out) const;

    // Scopes opened at brace depth `depth` (the depth before their "{"); each remembers the names
    // it replaces and gives them back when a "}" falls to that depth.
    void OpenNamespace(std::string_view name, int depth, ModuleRecord* module);
    void OpenClass(std::string_view qualifiedName, int depth, ModuleRecord* module);
    void OpenNested(std::string_view name, int depth, ModuleRecord* module);
    // A block that holds declarations without naming them (extern "C" { ... }).
    void OpenAnonymous(int depth);
    // The class part of a member defined outside its class ('Class::name'), for the body of that
    // member.
    void EnterMemberOf(std::string_view className, int depth);

    // A "}" brought the brace depth down to `depth`. Returns true when a scope closed.
    bool CloseTo(int depth);

    // The module of the innermost open class or namespace, or null.
    ModuleRecord* InnermostModule() const;
    // The module of the innermost class whose body is open at `depth`, or null.
    ModuleRecord* ClassModuleAt(int depth) const;
    // The innermost namespace module, or null.
    ModuleRecord* NamespaceModule() const;
    // The module of the class enclosing the innermost one (for nested classes), or null.
    ModuleRecord* EnclosingClassModule() const;

private:
    enum class Kind { Namespace, Class, Nested, Anonymous, Member };
    struct Saved {
        Kind kind;
        int depth;
        ModuleRecord* module;
        std::string namespaceName, className, nestedName;
        int level;
        bool inClass;
    };
    void push(Kind kind, int depth, ModuleRecord* module);

    std::string namespace_;
    std::string class_;
    std::string nested_; // nested class names joined by "::"
    int level_ = 0;
    bool inClass_ = false;
    std::vector<Saved> stack_;
};

} // namespace lumbra
