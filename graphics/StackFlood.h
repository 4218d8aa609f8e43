// The line tagger's flood: an explicit last-in, first-out stack on the heap.
//
// Method: the seed cell is pushed, then those of its eight neighbours that lie
// inside the grid and that the seed rule admits, in the order (r-1,c-1),
// (r,c-1), (r+1,c-1), (r-1,c+1), (r,c+1), (r+1,c+1), (r-1,c), (r+1,c). While
// the stack is not empty the top cell is popped and marked reached, and each
// of its neighbours (same order) that lies inside the grid, that the follow
// rule admits and that is not yet reached is pushed. A cell may be pushed more
// than once before it is popped; a pop of a cell already reached is skipped,
// so every reached cell is visited once. No recursion: a line across a whole
// map sheet costs heap memory only.
//
// The reached marks persist between runs of one StackFlood, so a caller that
// floods many seeds (Delete Short Segments) can skip cells already measured.
//
// Pre: the seed lies inside rows x cols. Post: visit(r, c) has been called once
// for every cell reached by this run; the result is the number of such cells.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class StackFlood {
public:
    StackFlood(int rows, int cols)
        : rows_(rows), cols_(cols), reached_(std::size_t(rows > 0 ? rows : 0) * std::size_t(cols > 0 ? cols : 0), 0) {}

    bool reached(int r, int c) const { return reached_[index(r, c)] != 0; }

    /// seedAdmits(r, c) and follows(r, c) decide which neighbours are pushed;
    /// visit(r, c) is called when a cell is first reached.
    template <class SeedAdmits, class Follows, class Visit>
    std::size_t run(int r0, int c0, SeedAdmits&& seedAdmits, Follows&& follows, Visit&& visit)
    {
        stack_.clear();
        stack_.push_back({r0, c0});
        pushNeighbours(r0, c0, seedAdmits);
        std::size_t count = 0;
        while (!stack_.empty()) {
            const Entry e = stack_.back();
            stack_.pop_back();
            std::uint8_t& mark = reached_[index(e.r, e.c)];
            if (mark) continue;
            mark = 1;
            ++count;
            visit(e.r, e.c);
            pushNeighbours(e.r, e.c, [&](int r, int c) { return !reached_[index(r, c)] && follows(r, c); });
        }
        return count;
    }

private:
    struct Entry {
        int r, c;
    };

    std::size_t index(int r, int c) const { return std::size_t(r) * std::size_t(cols_) + std::size_t(c); }

    template <class Admits>
    void pushNeighbours(int r, int c, Admits&& admits)
    {
        static constexpr int dr[8] = {-1, 0, 1, -1, 0, 1, -1, 1};
        static constexpr int dc[8] = {-1, -1, -1, 1, 1, 1, 0, 0};
        for (int k = 0; k < 8; ++k) {
            const int nr = r + dr[k], nc = c + dc[k];
            if (nr >= 0 && nr < rows_ && nc >= 0 && nc < cols_ && admits(nr, nc)) stack_.push_back({nr, nc});
        }
    }

    int rows_, cols_;
    std::vector<std::uint8_t> reached_;
    std::vector<Entry> stack_;
};
