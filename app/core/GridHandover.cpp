#include "app/core/GridHandover.h"

#include "app/core/GridOps.h"

void GridHandover::storeInputGrid(const IntGrid& grid)
{
    inputGrid = grid;
    inputGridReleased = false;
}

void GridHandover::storeInputGrid(IntGrid&& grid)
{
    inputGrid = std::move(grid);
    inputGridReleased = false;
}

void GridHandover::inputGridFromSolution()
{
    if (!solutionGrid) return;
    inputGrid = gridops::flipped(gridops::truncToIntGrid(*solutionGrid));
    inputGridReleased = false;
}

void GridHandover::solutionFromGrid(const IntGrid& grid)
{
    solutionGrid.reset();   // the old solution goes before the new one is built
    solutionGrid = gridops::flipped(gridops::toRealGrid(grid));
    numberElevationRows = grid.rows();
    numberElevationColumns = grid.cols();
}

void GridHandover::solutionFromGrid(IntGrid&& grid)
{
    solutionGrid.reset();
    numberElevationRows = grid.rows();
    numberElevationColumns = grid.cols();
    solutionGrid = gridops::flipped(gridops::toRealGrid(std::move(grid)));
}
