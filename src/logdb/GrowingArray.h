#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace quorvane {

// A contiguous array of plain records that grows with realloc. For a large array the C
// library moves the pages rather than the bytes, so growing it copies nothing and touches
// no memory twice, where a std::vector copies every element into fresh memory each time it
// doubles. On a log of a million rows, fresh memory is the larger part of a refresh.
template <typename T>
class GrowingArray {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    GrowingArray() = default;
    ~GrowingArray() { std::free(m_data); }
    GrowingArray(GrowingArray&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr)),
          m_size(std::exchange(other.m_size, 0)),
          m_capacity(std::exchange(other.m_capacity, 0)) {}
    GrowingArray& operator=(GrowingArray&& other) noexcept {
        if (this != &other) {
            std::free(m_data);
            m_data = std::exchange(other.m_data, nullptr);
            m_size = std::exchange(other.m_size, 0);
            m_capacity = std::exchange(other.m_capacity, 0);
        }
        return *this;
    }
    GrowingArray(const GrowingArray& other) {
        reserve(other.m_size);
        if (other.m_size > 0) std::memcpy(m_data, other.m_data, other.m_size * sizeof(T));
        m_size = other.m_size;
    }
    GrowingArray& operator=(const GrowingArray& other) {
        if (this != &other) *this = GrowingArray(other);
        return *this;
    }

    void push_back(const T& value) {
        if (m_size == m_capacity) reserve(m_capacity < 1024 ? 1024 : m_capacity * 2);
        m_data[m_size++] = value;
    }
    void reserve(size_t capacity) {
        if (capacity <= m_capacity) return;
        if (capacity > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_alloc();
        void* grown = std::realloc(m_data, capacity * sizeof(T));
        if (!grown) throw std::bad_alloc();
        m_data = static_cast<T*>(grown);
        m_capacity = capacity;
    }
    // Makes the first count elements the array's, their values left as the memory holds
    // them, to be written before they are read.
    void resize_for_overwrite(size_t count) {
        reserve(count);
        m_size = count;
    }
    // Keeps the first count elements.
    void truncate(size_t count) {
        if (count < m_size) m_size = count;
    }

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    T& operator[](size_t at) { return m_data[at]; }
    const T& operator[](size_t at) const { return m_data[at]; }
    T* begin() { return m_data; }
    T* end() { return m_data + m_size; }
    const T* begin() const { return m_data; }
    const T* end() const { return m_data + m_size; }

private:
    T* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
};

}  // namespace quorvane
