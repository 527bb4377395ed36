// geometry.cpp - shapes, transforms and a small scene graph.
//
// Written in the style of a mid-sized C++17 code base: namespaces, templates, lambdas,
// macros that hide braces, raw strings and long generated tables.

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "geometry.h"
#include "util/log.h"

#define GEO_BEGIN namespace geo {
#define GEO_END }
#define GEO_ASSERT(cond)                                                                         \
    do {                                                                                         \
        if (!(cond)) {                                                                           \
            ::geo::detail::fail(#cond, __FILE__, __LINE__);                                      \
        }                                                                                        \
    } while (0)
#define DECLARE_VISIT(Type) void visit(Type& node) override { visitNode(node); }
#define FOR_EACH_CHILD(node, var) for (auto& var : (node).children())

GEO_BEGIN

namespace detail {

[[noreturn]] void fail(const char* what, const char* file, int line)
{
    std::ostringstream os;
    os << file << ":" << line << ": assertion failed: " << what;
    throw std::logic_error(os.str());
}

inline double clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

template <typename T>
T lerp(T a, T b, double t)
{
    return a + (b - a) * t;
}

} // namespace detail

struct Vec2 {
    double x = 0.0;
    double y = 0.0;

    Vec2() = default;
    Vec2(double x_, double y_) : x(x_), y(y_) {}

    Vec2 operator+(const Vec2& o) const { return {x + o.x, y + o.y}; }
    Vec2 operator-(const Vec2& o) const { return {x - o.x, y - o.y}; }
    Vec2 operator*(double s) const { return {x * s, y * s}; }
    bool operator==(const Vec2& o) const { return x == o.x && y == o.y; }

    double length() const { return std::sqrt(x * x + y * y); }
    Vec2 normalized() const
    {
        const double len = length();
        if (len == 0.0)
            return {};
        return {x / len, y / len};
    }
};

double dot(const Vec2& a, const Vec2& b) { return a.x * b.x + a.y * b.y; }
double cross(const Vec2& a, const Vec2& b) { return a.x * b.y - a.y * b.x; }

class Transform {
public:
    Transform() : m_{1, 0, 0, 0, 1, 0} {}

    static Transform translate(double dx, double dy)
    {
        Transform t;
        t.m_[2] = dx;
        t.m_[5] = dy;
        return t;
    }

    static Transform rotate(double radians)
    {
        Transform t;
        const double c = std::cos(radians), s = std::sin(radians);
        t.m_[0] = c;
        t.m_[1] = -s;
        t.m_[3] = s;
        t.m_[4] = c;
        return t;
    }

    Transform operator*(const Transform& o) const;
    Vec2 apply(const Vec2& p) const { return {m_[0] * p.x + m_[1] * p.y + m_[2], m_[3] * p.x + m_[4] * p.y + m_[5]}; }

private:
    double m_[6];
};

Transform Transform::operator*(const Transform& o) const
{
    Transform r;
    r.m_[0] = m_[0] * o.m_[0] + m_[1] * o.m_[3];
    r.m_[1] = m_[0] * o.m_[1] + m_[1] * o.m_[4];
    r.m_[2] = m_[0] * o.m_[2] + m_[1] * o.m_[5] + m_[2];
    r.m_[3] = m_[3] * o.m_[0] + m_[4] * o.m_[3];
    r.m_[4] = m_[3] * o.m_[1] + m_[4] * o.m_[4];
    r.m_[5] = m_[3] * o.m_[2] + m_[4] * o.m_[5] + m_[5];
    return r;
}

class Visitor;

class Shape {
public:
    explicit Shape(std::string name) : name_(std::move(name)) {}
    virtual ~Shape() = default;

    virtual double area() const = 0;
    virtual double perimeter() const = 0;
    virtual void accept(Visitor& v) = 0;

    const std::string& name() const { return name_; }
    std::vector<std::unique_ptr<Shape>>& children() { return children_; }

    void add(std::unique_ptr<Shape> child)
    {
        GEO_ASSERT(child != nullptr);
        children_.push_back(std::move(child));
    }

    double totalArea() const
    {
        double sum = area();
        for (const auto& c : children_)
            sum += c->totalArea();
        return sum;
    }

private:
    std::string name_;
    std::vector<std::unique_ptr<Shape>> children_;
};

class Circle;
class Polygon;
class Group;

class Visitor {
public:
    virtual ~Visitor() = default;
    virtual void visit(Circle& c) = 0;
    virtual void visit(Polygon& p) = 0;
    virtual void visit(Group& g) = 0;
};

class Circle final : public Shape {
public:
    Circle(Vec2 center, double radius)
        : Shape("circle"),
          center_(center),
          radius_(radius)
    {
        GEO_ASSERT(radius >= 0.0);
    }

    double area() const override { return M_PI * radius_ * radius_; }
    double perimeter() const override { return 2.0 * M_PI * radius_; }
    void accept(Visitor& v) override { v.visit(*this); }

    Vec2 center() const { return center_; }
    double radius() const { return radius_; }

private:
    Vec2 center_;
    double radius_;
};

class Polygon : public Shape {
public:
    explicit Polygon(std::vector<Vec2> points) : Shape("polygon"), points_(std::move(points)) {}

    double area() const override
    {
        double twice = 0.0;
        for (std::size_t i = 0; i < points_.size(); ++i) {
            const Vec2& a = points_[i];
            const Vec2& b = points_[(i + 1) % points_.size()];
            twice += cross(a, b);
        }
        return std::abs(twice) / 2.0;
    }

    double perimeter() const override
    {
        double sum = 0.0;
        for (std::size_t i = 0; i < points_.size(); ++i)
            sum += (points_[(i + 1) % points_.size()] - points_[i]).length();
        return sum;
    }

    void accept(Visitor& v) override { v.visit(*this); }

    bool contains(const Vec2& p) const
    {
        bool inside = false;
        for (std::size_t i = 0, j = points_.size() - 1; i < points_.size(); j = i++) {
            const Vec2& a = points_[i];
            const Vec2& b = points_[j];
            if (((a.y > p.y) != (b.y > p.y)) &&
                (p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x))
                inside = !inside;
        }
        return inside;
    }

    const std::vector<Vec2>& points() const { return points_; }

private:
    std::vector<Vec2> points_;
};

class Group : public Shape {
public:
    Group() : Shape("group") {}
    double area() const override { return 0.0; }
    double perimeter() const override { return 0.0; }
    void accept(Visitor& v) override
    {
        v.visit(*this);
        FOR_EACH_CHILD(*this, child) {
            child->accept(v);
        }
    }
};

template <typename Callback>
class CallbackVisitor : public Visitor {
public:
    explicit CallbackVisitor(Callback cb) : cb_(std::move(cb)) {}
    DECLARE_VISIT(Circle)
    DECLARE_VISIT(Polygon)
    DECLARE_VISIT(Group)

private:
    template <typename Node> void visitNode(Node& node) { cb_(node); }
    Callback cb_;
};

template <typename Callback>
CallbackVisitor<Callback> makeVisitor(Callback cb)
{
    return CallbackVisitor<Callback>(std::move(cb));
}

struct Bounds {
    Vec2 min{1e300, 1e300};
    Vec2 max{-1e300, -1e300};

    void extend(const Vec2& p)
    {
        min.x = std::min(min.x, p.x);
        min.y = std::min(min.y, p.y);
        max.x = std::max(max.x, p.x);
        max.y = std::max(max.y, p.y);
    }
    bool empty() const { return min.x > max.x || min.y > max.y; }
};

Bounds boundsOf(Shape& root)
{
    Bounds b;
    auto visitor = makeVisitor([&b](auto& node) {
        using T = std::decay_t<decltype(node)>;
        if constexpr (std::is_same_v<T, Circle>) {
            const Vec2 c = node.center();
            const double r = node.radius();
            b.extend({c.x - r, c.y - r});
            b.extend({c.x + r, c.y + r});
        } else if constexpr (std::is_same_v<T, Polygon>) {
            for (const Vec2& p : node.points())
                b.extend(p);
        }
    });
    root.accept(visitor);
    return b;
}

namespace io {

// The SVG header is kept verbatim; braces and quotes inside must not confuse anyone.
static const char* kSvgHeader = R"svg(<?xml version="1.0"?>
<svg xmlns="http://www.w3.org/2000/svg" version="1.1">
<style> .shape { fill: none; stroke: black; } /* { */ </style>
)svg";

static const char* kSvgFooter = R"(</svg>
)";

std::string toSvg(Shape& root)
{
    std::ostringstream out;
    out << kSvgHeader;
    auto visitor = makeVisitor([&out](auto& node) {
        using T = std::decay_t<decltype(node)>;
        if constexpr (std::is_same_v<T, Circle>) {
            out << "<circle class=\"shape\" cx=\"" << node.center().x << "\" cy=\""
                << node.center().y << "\" r=\"" << node.radius() << "\"/>\n";
        } else if constexpr (std::is_same_v<T, Polygon>) {
            out << "<polygon class=\"shape\" points=\"";
            for (const Vec2& p : node.points())
                out << p.x << ',' << p.y << ' ';
            out << "\"/>\n";
        }
    });
    root.accept(visitor);
    out << kSvgFooter;
    return out.str();
}

bool parsePoint(const std::string& text, Vec2& out)
{
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    try {
        out.x = std::stod(text.substr(0, comma));
        out.y = std::stod(text.substr(comma + 1));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

std::vector<Vec2> parsePoints(const std::string& text)
{
    std::vector<Vec2> points;
    std::istringstream in(text);
    std::string item;
    while (in >> item) {
        Vec2 p;
        if (parsePoint(item, p))
            points.push_back(p);
        else
            util::log::warn("bad point '" + item + "'");
    }
    return points;
}

} // namespace io

class SceneGraph {
public:
    using Listener = std::function<void(const Shape&)>;

    Shape& root() { return *root_; }

    void onChange(Listener l) { listeners_.push_back(std::move(l)); }

    void insert(std::unique_ptr<Shape> shape)
    {
        Shape& ref = *shape;
        root_->add(std::move(shape));
        notify(ref);
    }

    template <typename Pred>
    std::vector<Shape*> select(Pred pred)
    {
        std::vector<Shape*> found;
        std::function<void(Shape&)> walk = [&](Shape& s) {
            if (pred(s))
                found.push_back(&s);
            for (auto& c : s.children())
                walk(*c);
        };
        walk(*root_);
        return found;
    }

    double coverage() const
    {
        const double total = root_->totalArea();
        return total <= 0.0 ? 0.0 : detail::clamp01(total / 1e6);
    }

private:
    void notify(const Shape& s)
    {
        for (const auto& l : listeners_)
            l(s);
    }

    std::unique_ptr<Shape> root_ = std::make_unique<Group>();
    std::vector<Listener> listeners_;
};

// A table the way code generators write it: one very long line.
static const int kPalette[] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xc0c0c0, 0x808080, 0xff0000, 0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff, 0x000000, 0x00005f, 0x000087, 0x0000af, 0x0000d7, 0x0000ff, 0x005f00, 0x005f5f, 0x005f87, 0x005faf, 0x005fd7, 0x005fff, 0x008700, 0x00875f, 0x008787, 0x0087af, 0x0087d7, 0x0087ff, 0x00af00, 0x00af5f, 0x00af87, 0x00afaf, 0x00afd7, 0x00afff, 0x00d700, 0x00d75f, 0x00d787, 0x00d7af, 0x00d7d7, 0x00d7ff, 0x00ff00, 0x00ff5f, 0x00ff87, 0x00ffaf, 0x00ffd7, 0x00ffff, 0x5f0000, 0x5f005f, 0x5f0087, 0x5f00af, 0x5f00d7, 0x5f00ff, 0x5f5f00, 0x5f5f5f, 0x5f5f87, 0x5f5faf, 0x5f5fd7, 0x5f5fff};

int paletteIndex(int rgb)
{
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < static_cast<int>(sizeof kPalette / sizeof kPalette[0]); ++i) {
        const int dr = ((kPalette[i] >> 16) & 0xff) - ((rgb >> 16) & 0xff);
        const int dg = ((kPalette[i] >> 8) & 0xff) - ((rgb >> 8) & 0xff);
        const int db = (kPalette[i] & 0xff) - (rgb & 0xff);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

GEO_END

int main(int argc, char** argv)
{
    geo::SceneGraph scene;
    int changes = 0;
    scene.onChange([&changes](const geo::Shape&) { ++changes; });
    scene.insert(std::make_unique<geo::Circle>(geo::Vec2{0, 0}, 2.0));
    scene.insert(std::make_unique<geo::Polygon>(geo::io::parsePoints(argc > 1 ? argv[1] : "0,0 4,0 4,3")));
    const auto big = scene.select([](const geo::Shape& s) { return s.area() > 5.0; });
    std::printf("%zu big shapes, %d changes, coverage %.3f\n", big.size(), changes,
                scene.coverage());
    std::puts(geo::io::toSvg(scene.root()).c_str());
    return geo::paletteIndex(0x808080) == 8 ? 0 : 1;
}
