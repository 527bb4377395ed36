// Candidates that must not stay pending, and names that are no definitions.
class Widget {
public:
    Widget(int n)
        : size(n), label(make_label(n))
    {
        init();
    }
    int Size() const;
    Widget(const Widget&) = default;
    void Paint() { try { draw(); } catch (const Error& e) { throw; } }
private:
    int size;
};

REGISTER_WIDGET(Widget)
void Widget::init()
{
    if (size)
        delete[] buffer;
    static_assert(sizeof(int) == 4, "int");
    decltype(size) copy = size;
    __builtin_expect(copy, 1);
    va_arg(list, int);
}

struct stat *lookup(const char* path) { return 0; }
struct config global_config = { 1 };
union value { int i; float f; };

class Outer {
    class Middle
    {
        class Inner {
            void deep() { }
        };
        void middle() { }
    };
    void outer() { }
};
