// Scopes and members: classes, namespaces, nested classes, out-of-class definitions.
#include "shape.h"

class Shape
{
public:
    Shape() = default;
    virtual ~Shape() {}
    void Draw();
    int Area() const;
    void Move(int dx, int dy) { x += dx; y += dy; Draw(); }
    void Move(double d) {
        Move(int(d), int(d));
    }
private:
    int x, y;
    class Cache
    {
        struct Entry { int key; };
        void Clear() { }
    };
};

void Shape::Draw()
{
    if (x > 0)
        Render(x, y);
}

int Shape::Area() const { return x * y; }

template <typename T> T Box<T>::get() { return value; }

template<class T, class U>
struct Pair {
    T first;
    U second;
};

namespace geo {
class Point {
    int Length() { return 0; }
};
int distance(Point a, Point b) { return a.Length(); }
}

int main()
{
    Shape s;
    s.Draw();
    return distance(geo::Point(), geo::Point());
}
