#include "app/RasterFill.h"

#include "app/RunCommand.h"
#include "app/SessionState.h"
#include "graphics/GraphicsModel.h"

#include <cmath>

bool fillNullPostings(RealGrid& values, SessionState& session, Reporter& reporter)
{
    const int rows = values.rows(), cols = values.cols();
    GraphicsModel scratch;   // Run takes a real-valued grid from the graphics window's expanded grid
    scratch.expandedGrid.emplace(rows, cols);
    for (int r = 0; r < rows; ++r) {
        const double* in = values.row(rows - 1 - r);
        double* out = scratch.expandedGrid->row(r);
        for (int c = 0; c < cols; ++c) out[c] = std::isnan(in[c]) ? 0.0 : in[c];
    }
    const InputKind kind = session.inputKind;
    session.inputKind = InputKind::GraphicsGridInput;
    session.fromGraphicsWindow = true;
    session.numberElevationRows = rows;
    session.numberElevationColumns = cols;
    std::optional<RealGrid> solution = solveRunInput(session, scratch, reporter, session.polishIterations);
    session.fromGraphicsWindow = false;
    session.inputKind = kind;
    scratch.expandedGrid.reset();
    if (!solution || solution->rows() != rows || solution->cols() != cols) return false;
    for (int r = 0; r < rows; ++r) {
        const double* s = solution->row(rows - 1 - r);
        double* v = values.row(r);
        for (int c = 0; c < cols; ++c)
            if (std::isnan(v[c])) v[c] = s[c];
    }
    return true;
}

ByteGrid nullPostingMask(const RealGrid& values)
{
    ByteGrid mask(values.rows(), values.cols());
    std::uint8_t* m = mask.data();
    for (double v : values.cells()) *m++ = std::isnan(v) ? 1 : 0;
    return mask;
}
