#include "graphics/Resample.h"

#include "app/core/Reporter.h"
#include "graphics/GraphicsModel.h"

#include <string>

IntGrid resampleGrid(const IntGrid& in, int k, std::int32_t nullDataDefinition)
{
    const int R = in.rows(), C = in.cols();
    if (k < 1) return {};
    IntGrid out(R / k, C / k);
    auto data = [&](int r, int c) { return in(r, c) > nullDataDefinition; };
    for (int i = 0; i < out.rows(); ++i) {
        const int r = i * k;
        for (int j = 0; j < out.cols(); ++j) {
            const int c = j * k;
            std::int32_t v = in(r, c);
            if (r >= 1 && r < R - 1 && c >= 1 && c < C - 1 && data(r, c) && data(r - 1, c) && data(r + 1, c) &&
                data(r, c - 1) && data(r, c + 1)) {
                const std::int64_t sum =
                    std::int64_t(in(r - 1, c)) + in(r + 1, c) + in(r, c - 1) + in(r, c + 1);
                v = std::int32_t(sum / 4);   // integer division truncates toward zero
            }
            out(i, j) = v;
        }
    }
    return out;
}

bool resampleTile(GraphicsModel& g, int k, Reporter& reporter)
{
    if (k < 1 || g.imageRows() < k || g.imageColumns() < k) {
        reporter.log("Resample refused: the graphics window holds " + std::to_string(g.imageRows()) + " x " +
                     std::to_string(g.imageColumns()) + " postings, fewer than the rate " + std::to_string(k) +
                     " in a direction.");
        return false;
    }
    IntGrid out = resampleGrid(g.elevationArray, k, g.nullDataDefinition);
    g.imageArray = out;
    g.elevationArray = std::move(out);
    g.render(g.elevationArray);
    if (g.hooks.contentReplaced) g.hooks.contentReplaced();
    return true;
}
