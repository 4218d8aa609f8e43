// Grid arrays: rows x columns rasters of 32-bit integers, 64-bit floats, bytes or
// 16-bit integers.
//
// A grid owns its cells and carries its size; rows are reached with row(r) and
// cells with (r, c). Orientation is a property of the grid's role, not of the
// type: grids read from files, the session's input grid and the graphics
// window's arrays are stored north row first; the solution grid and every grid
// inside the interpolation engine are stored south row first. flipRows() is
// the only orientation change.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

/// The standard allocator, except that a cell made without a value is left unset (for
/// Grid's Unset constructor).
template <class T>
struct UnsetCellAllocator : std::allocator<T> {
    template <class U>
    struct rebind { using other = UnsetCellAllocator<U>; };
    UnsetCellAllocator() = default;
    template <class U>
    UnsetCellAllocator(const UnsetCellAllocator<U>&) noexcept {}
    template <class U>
    void construct(U* p) { ::new (static_cast<void*>(p)) U; }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) { ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...); }
};

template <class T>
class Grid {
public:
    using value_type = T;

    struct Unset {};

    Grid() = default;
    /// A grid of rows x cols cells, each set to fill. Sizes below 1 give an empty grid.
    Grid(int rows, int cols, T fill = T{}) : Grid(rows, cols, Unset{}) { this->fill(fill); }
    /// The same with the cells left unset, for a caller that writes every cell before reading
    /// it. A large grid takes memory only as its cells are first written.
    Grid(int rows, int cols, Unset)
        : rows_(rows > 0 && cols > 0 ? rows : 0),
          cols_(rows > 0 && cols > 0 ? cols : 0),
          cells_(std::size_t(rows_) * std::size_t(cols_)) {}

    Grid(const Grid& other) : rows_(other.rows_), cols_(other.cols_), cells_(other.size()) { copyCells(other); }
    Grid(Grid&&) noexcept = default;
    Grid& operator=(const Grid& other)
    {
        if (this == &other) return *this;
        if (size() != other.size()) {   // the old cells go before the new ones are taken
            rows_ = cols_ = 0;
            cells_ = Cells();
            cells_ = Cells(other.size());
        }
        copyCells(other);
        rows_ = other.rows_;
        cols_ = other.cols_;
        return *this;
    }
    Grid& operator=(Grid&&) noexcept = default;

    int rows() const noexcept { return rows_; }
    int cols() const noexcept { return cols_; }
    bool empty() const noexcept { return cells_.empty(); }
    std::size_t size() const noexcept { return cells_.size(); }
    bool contains(int r, int c) const noexcept { return r >= 0 && r < rows_ && c >= 0 && c < cols_; }

    T& operator()(int r, int c) { assert(contains(r, c)); return cells_[index(r, c)]; }
    const T& operator()(int r, int c) const { assert(contains(r, c)); return cells_[index(r, c)]; }

    T* row(int r) { assert(r >= 0 && r < rows_); return cells_.data() + index(r, 0); }
    const T* row(int r) const { assert(r >= 0 && r < rows_); return cells_.data() + index(r, 0); }
    std::span<T> rowSpan(int r) { return {row(r), std::size_t(cols_)}; }
    std::span<const T> rowSpan(int r) const { return {row(r), std::size_t(cols_)}; }

    /// All cells, row-major (row 0 first).
    T* data() noexcept { return cells_.data(); }
    const T* data() const noexcept { return cells_.data(); }
    std::span<T> cells() noexcept { return cells_; }
    std::span<const T> cells() const noexcept { return cells_; }

    void fill(T value) { std::fill(cells_.begin(), cells_.end(), value); }

    /// Row i becomes row rows-1-i: north-first <-> south-first.
    void flipRows()
    {
        for (int a = 0, b = rows_ - 1; a < b; ++a, --b)
            std::swap_ranges(row(a), row(a) + cols_, row(b));
    }

    friend bool operator==(const Grid&, const Grid&) = default;

private:
    using Cells = std::vector<T, UnsetCellAllocator<T>>;

    void copyCells(const Grid& other) { std::copy(other.cells_.begin(), other.cells_.end(), cells_.begin()); }
    std::size_t index(int r, int c) const noexcept { return std::size_t(r) * std::size_t(cols_) + std::size_t(c); }

    int rows_ = 0;
    int cols_ = 0;
    Cells cells_;
};

using IntGrid = Grid<std::int32_t>;
using RealGrid = Grid<double>;
using ByteGrid = Grid<std::uint8_t>;
using ShortGrid = Grid<std::int16_t>;
