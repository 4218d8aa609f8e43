#include "app/SessionState.h"

#include "app/GridOps.h"

void SessionState::storeInputGrid(const IntGrid& grid)
{
    inputGrid = grid;
    inputGridReleased = false;
}

void SessionState::storeInputGrid(IntGrid&& grid)
{
    inputGrid = std::move(grid);
    inputGridReleased = false;
}

void SessionState::inputGridFromSolution()
{
    if (!solutionGrid) return;
    inputGrid = gridops::flipped(gridops::truncToIntGrid(*solutionGrid));
    inputGridReleased = false;
}

void SessionState::solutionFromGrid(const IntGrid& grid)
{
    solutionGrid.reset();   // the old solution goes before the new one is built
    solutionGrid = gridops::flipped(gridops::toRealGrid(grid));
    numberElevationRows = grid.rows();
    numberElevationColumns = grid.cols();
}

void SessionState::solutionFromGrid(IntGrid&& grid)
{
    solutionGrid.reset();
    numberElevationRows = grid.rows();
    numberElevationColumns = grid.cols();
    solutionGrid = gridops::flipped(gridops::toRealGrid(std::move(grid)));
}
