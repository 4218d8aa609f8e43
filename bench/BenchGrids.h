// Grids for the benchmarks: n x n engine grids with a fraction of known postings.
#pragma once

#include "app/core/Grid.h"

#include <random>

inline RealGrid randomGrid(int n, double knownFraction)
{
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(0, 1), z(1, 900);
    RealGrid g(n, n, 0.0);
    for (double& v : g.cells())
        if (u(gen) < knownFraction) v = z(gen);
    return g;
}
