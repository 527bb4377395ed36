// containers.hpp - small containers and algorithms used across the project.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

#define CT_NAMESPACE_BEGIN namespace ct { inline namespace v2 {
#define CT_NAMESPACE_END } }
#define CT_NODISCARD [[nodiscard]]
#define CT_DISALLOW_COPY(Type)          \
    Type(const Type&) = delete;         \
    Type& operator=(const Type&) = delete;

CT_NAMESPACE_BEGIN

namespace traits {

template <typename T, typename = void>
struct is_iterable : std::false_type {};

template <typename T>
struct is_iterable<T, std::void_t<decltype(std::begin(std::declval<T&>())),
                                  decltype(std::end(std::declval<T&>()))>> : std::true_type {};

template <typename T>
inline constexpr bool is_iterable_v = is_iterable<T>::value;

template <typename... Ts>
struct type_list {
    static constexpr std::size_t size = sizeof...(Ts);
};

template <typename List>
struct front;

template <typename Head, typename... Tail>
struct front<type_list<Head, Tail...>> {
    using type = Head;
};

} // namespace traits

/// A vector that keeps its first N elements inside the object.
template <typename T, std::size_t N>
class small_vector {
public:
    using value_type = T;
    using size_type = std::size_t;
    using iterator = T*;
    using const_iterator = const T*;

    small_vector() noexcept = default;

    small_vector(std::initializer_list<T> init)
    {
        reserve(init.size());
        for (const T& v : init)
            push_back(v);
    }

    small_vector(small_vector&& other) noexcept(std::is_nothrow_move_constructible_v<T>)
    {
        move_from(std::move(other));
    }

    small_vector& operator=(small_vector&& other) noexcept(std::is_nothrow_move_constructible_v<T>)
    {
        if (this != &other) {
            clear();
            release();
            move_from(std::move(other));
        }
        return *this;
    }

    CT_DISALLOW_COPY(small_vector)

    ~small_vector()
    {
        clear();
        release();
    }

    CT_NODISCARD size_type size() const noexcept { return size_; }
    CT_NODISCARD size_type capacity() const noexcept { return capacity_; }
    CT_NODISCARD bool empty() const noexcept { return size_ == 0; }
    CT_NODISCARD bool is_inline() const noexcept { return data_ == inline_data(); }

    iterator begin() noexcept { return data_; }
    iterator end() noexcept { return data_ + size_; }
    const_iterator begin() const noexcept { return data_; }
    const_iterator end() const noexcept { return data_ + size_; }

    T& operator[](size_type i) noexcept
    {
        assert(i < size_);
        return data_[i];
    }
    const T& operator[](size_type i) const noexcept
    {
        assert(i < size_);
        return data_[i];
    }

    T& at(size_type i)
    {
        if (i >= size_)
            throw std::out_of_range("small_vector::at");
        return data_[i];
    }

    void reserve(size_type wanted)
    {
        if (wanted <= capacity_)
            return;
        T* fresh = static_cast<T*>(::operator new(wanted * sizeof(T), std::align_val_t{alignof(T)}));
        for (size_type i = 0; i < size_; ++i) {
            ::new (fresh + i) T(std::move_if_noexcept(data_[i]));
            data_[i].~T();
        }
        release();
        data_ = fresh;
        capacity_ = wanted;
    }

    template <typename... Args>
    T& emplace_back(Args&&... args)
    {
        if (size_ == capacity_)
            reserve(capacity_ * 2);
        T* slot = ::new (data_ + size_) T(std::forward<Args>(args)...);
        ++size_;
        return *slot;
    }

    void push_back(const T& v) { emplace_back(v); }
    void push_back(T&& v) { emplace_back(std::move(v)); }

    void pop_back() noexcept
    {
        assert(size_ > 0);
        data_[--size_].~T();
    }

    void clear() noexcept
    {
        while (size_ > 0)
            pop_back();
    }

    iterator erase(const_iterator pos)
    {
        iterator p = begin() + (pos - begin());
        std::move(p + 1, end(), p);
        pop_back();
        return p;
    }

private:
    T* inline_data() noexcept { return reinterpret_cast<T*>(&storage_); }
    const T* inline_data() const noexcept { return reinterpret_cast<const T*>(&storage_); }

    void release() noexcept
    {
        if (!is_inline())
            ::operator delete(data_, std::align_val_t{alignof(T)});
        data_ = inline_data();
        capacity_ = N;
    }

    void move_from(small_vector&& other)
    {
        if (other.is_inline()) {
            for (T& v : other)
                emplace_back(std::move(v));
            other.clear();
        } else {
            data_ = other.data_;
            size_ = other.size_;
            capacity_ = other.capacity_;
            other.data_ = other.inline_data();
            other.size_ = 0;
            other.capacity_ = N;
        }
    }

    std::aligned_storage_t<sizeof(T) * N, alignof(T)> storage_;
    T* data_ = inline_data();
    size_type size_ = 0;
    size_type capacity_ = N;
};

/// An open-addressing hash map from keys to values, with tombstones.
template <typename Key, typename Value, typename Hash = std::hash<Key>,
          typename Equal = std::equal_to<Key>>
class flat_map {
    enum class slot_state : unsigned char { empty, full, deleted };

    struct slot {
        slot_state state = slot_state::empty;
        alignas(std::pair<Key, Value>) unsigned char bytes[sizeof(std::pair<Key, Value>)];

        std::pair<Key, Value>& entry() { return *std::launder(reinterpret_cast<std::pair<Key, Value>*>(bytes)); }
    };

public:
    flat_map() { rehash(16); }
    ~flat_map()
    {
        for (std::size_t i = 0; i < capacity_; ++i)
            if (slots_[i].state == slot_state::full)
                slots_[i].entry().~pair();
    }

    CT_DISALLOW_COPY(flat_map)

    Value* find(const Key& key)
    {
        std::size_t i = index_of(key);
        for (std::size_t probes = 0; probes < capacity_; ++probes, i = (i + 1) & (capacity_ - 1)) {
            slot& s = slots_[i];
            if (s.state == slot_state::empty)
                return nullptr;
            if (s.state == slot_state::full && equal_(s.entry().first, key))
                return &s.entry().second;
        }
        return nullptr;
    }

    template <typename V>
    bool insert(const Key& key, V&& value)
    {
        if ((used_ + 1) * 4 > capacity_ * 3)
            rehash(capacity_ * 2);
        std::size_t i = index_of(key);
        slot* tomb = nullptr;
        for (;; i = (i + 1) & (capacity_ - 1)) {
            slot& s = slots_[i];
            if (s.state == slot_state::deleted && tomb == nullptr) {
                tomb = &s;
            } else if (s.state == slot_state::empty) {
                slot& target = tomb ? *tomb : s;
                ::new (target.bytes) std::pair<Key, Value>(key, std::forward<V>(value));
                if (!tomb)
                    ++used_;
                target.state = slot_state::full;
                ++size_;
                return true;
            } else if (s.state == slot_state::full && equal_(s.entry().first, key)) {
                s.entry().second = std::forward<V>(value);
                return false;
            }
        }
    }

    bool erase(const Key& key)
    {
        std::size_t i = index_of(key);
        for (std::size_t probes = 0; probes < capacity_; ++probes, i = (i + 1) & (capacity_ - 1)) {
            slot& s = slots_[i];
            if (s.state == slot_state::empty)
                return false;
            if (s.state == slot_state::full && equal_(s.entry().first, key)) {
                s.entry().~pair();
                s.state = slot_state::deleted;
                --size_;
                return true;
            }
        }
        return false;
    }

    std::size_t size() const { return size_; }

    template <typename F>
    void for_each(F&& f)
    {
        for (std::size_t i = 0; i < capacity_; ++i)
            if (slots_[i].state == slot_state::full)
                f(slots_[i].entry().first, slots_[i].entry().second);
    }

private:
    std::size_t index_of(const Key& key) const { return hash_(key) & (capacity_ - 1); }

    void rehash(std::size_t capacity)
    {
        std::unique_ptr<slot[]> old = std::move(slots_);
        const std::size_t oldCapacity = capacity_;
        slots_ = std::make_unique<slot[]>(capacity);
        capacity_ = capacity;
        size_ = used_ = 0;
        for (std::size_t i = 0; i < oldCapacity; ++i) {
            if (old[i].state == slot_state::full) {
                insert(old[i].entry().first, std::move(old[i].entry().second));
                old[i].entry().~pair();
            }
        }
    }

    std::unique_ptr<slot[]> slots_;
    std::size_t capacity_ = 0;
    std::size_t size_ = 0;
    std::size_t used_ = 0;
    Hash hash_;
    Equal equal_;
};

namespace algo {

template <typename It, typename Pred>
It partition_stable(It first, It last, Pred pred)
{
    using T = typename std::iterator_traits<It>::value_type;
    small_vector<T, 32> rejected;
    It out = first;
    for (It it = first; it != last; ++it) {
        if (pred(*it))
            *out++ = std::move(*it);
        else
            rejected.push_back(std::move(*it));
    }
    It split = out;
    for (T& v : rejected)
        *out++ = std::move(v);
    return split;
}

template <typename Range, typename F>
auto transform_to_vector(const Range& range, F f)
{
    static_assert(traits::is_iterable_v<const Range>, "range must be iterable");
    using R = std::decay_t<decltype(f(*std::begin(range)))>;
    small_vector<R, 8> out;
    for (const auto& v : range)
        out.push_back(f(v));
    return out;
}

template <typename T>
constexpr T gcd(T a, T b)
{
    while (b != 0) {
        T t = a % b;
        a = b;
        b = t;
    }
    return a < 0 ? -a : a;
}

template <typename T>
constexpr T lcm(T a, T b)
{
    return a == 0 || b == 0 ? 0 : (a / gcd(a, b)) * b;
}

inline std::size_t hash_bytes(const void* data, std::size_t len, std::size_t seed = 14695981039346656037ull)
{
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < len; ++i) {
        seed ^= p[i];
        seed *= 1099511628211ull;
    }
    return seed;
}

} // namespace algo

template <typename T>
class observer_list {
public:
    using callback = std::function<void(const T&)>;

    std::size_t subscribe(callback cb)
    {
        const std::size_t id = ++last_;
        callbacks_.insert(id, std::move(cb));
        return id;
    }

    void unsubscribe(std::size_t id) { callbacks_.erase(id); }

    void publish(const T& value)
    {
        callbacks_.for_each([&value](std::size_t, callback& cb) { cb(value); });
    }

private:
    flat_map<std::size_t, callback> callbacks_;
    std::size_t last_ = 0;
};

CT_NAMESPACE_END
