#pragma once

#include <libnoise/exception.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

namespace noise::utils {

// Row-major raster with rows padded to a multiple of 4 elements. The buffer
// only grows: shrinking keeps it, so repeated builds at varying sizes do not
// reallocate.
template <typename T> class Raster {
public:
    static constexpr int kMaxSide = 32767;

    Raster() = default;
    Raster(int width, int height) { SetSize(width, height); }
    Raster(const Raster& other) { *this = other; }
    Raster& operator=(const Raster& other) {
        if (this == &other)
            return *this;
        SetSize(other.m_width, other.m_height);
        m_borderValue = other.m_borderValue;
        if (m_buffer)
            std::copy(other.m_buffer.get(),
                      other.m_buffer.get() + std::size_t(m_stride) * std::size_t(m_height),
                      m_buffer.get());
        return *this;
    }
    // A moved-from raster is empty, not a raster with sizes and no buffer.
    Raster(Raster&& other) noexcept { *this = std::move(other); }
    Raster& operator=(Raster&& other) noexcept {
        if (this == &other)
            return *this;
        m_buffer = std::move(other.m_buffer);
        m_allocated = std::exchange(other.m_allocated, 0);
        m_width = std::exchange(other.m_width, 0);
        m_height = std::exchange(other.m_height, 0);
        m_stride = std::exchange(other.m_stride, 0);
        m_borderValue = other.m_borderValue;
        return *this;
    }

    // Throws ExceptionInvalidParam for sides outside 0..32767 and
    // ExceptionOutOfMemory when the buffer cannot be had. A zero side
    // empties the raster and frees the buffer.
    void SetSize(int width, int height) {
        if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
            throw noise::ExceptionInvalidParam();
        if (width == 0 || height == 0) {
            m_buffer.reset();
            m_allocated = 0;
            m_width = m_height = m_stride = 0;
            return;
        }
        const int stride = (width + 3) & ~3;
        const std::uint64_t needed = std::uint64_t(stride) * std::uint64_t(height);
        if (needed > m_allocated) {
            T* fresh = new (std::nothrow) T[needed];
            if (!fresh)
                throw noise::ExceptionOutOfMemory();
            m_buffer.reset(fresh);
            m_allocated = needed;
        }
        m_width = width;
        m_height = height;
        m_stride = stride;
    }

    T GetValue(int x, int y) const {
        if (!m_buffer || x < 0 || y < 0 || x >= m_width || y >= m_height)
            return m_borderValue;
        return m_buffer[std::size_t(y) * m_stride + x];
    }
    void SetValue(int x, int y, const T& value) {
        if (!m_buffer || x < 0 || y < 0 || x >= m_width || y >= m_height)
            return;
        m_buffer[std::size_t(y) * m_stride + x] = value;
    }
    void Clear(const T& value) {
        if (m_buffer)
            std::fill(m_buffer.get(), m_buffer.get() + std::size_t(m_stride) * m_height, value);
    }

    // Pointer to the first element of a row; rows lie GetStride() apart.
    // Returns nullptr for rows outside the raster.
    T* GetRowPtr(int row) {
        return (m_buffer && row >= 0 && row < m_height) ? m_buffer.get() + std::size_t(row) * m_stride
                                                         : nullptr;
    }
    const T* GetRowPtr(int row) const { return const_cast<Raster*>(this)->GetRowPtr(row); }

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetStride() const { return m_stride; }
    std::uint64_t GetMemUsed() const { return m_allocated; }
    bool IsEmpty() const { return m_width == 0 || m_height == 0; }

    T GetBorderValue() const { return m_borderValue; }
    void SetBorderValue(const T& value) { m_borderValue = value; }

private:
    std::unique_ptr<T[]> m_buffer;
    std::uint64_t m_allocated = 0;
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    T m_borderValue{};
};

} // namespace noise::utils
