// k-means clustering of data rows: masked, weighted, several passes from
// random starts.
//
// Each pass assigns the rows to clusters at random (every cluster gets one
// row first), then repeats: centroids (means, or medians with method 'm');
// a shuffled sweep that moves each row to the lowest-numbered cluster
// strictly closer than its own, never emptying a cluster; until a sweep moves
// nothing or the assignment equals one saved at iterations 0, 20, 40, 80, ...
// (cycle detection). The first pass's solution is kept; a later pass that
// finds the same partition counts as a replicate (ifound + 1), one with a
// strictly smaller sum of distances replaces it (ifound = 1).
//
// Distances by code: 'e' (and any unknown code) Euclidean, 'b' city block,
// 'c' Pearson correlation, 'a' absolute Pearson, 'u' uncentered correlation,
// 'x' absolute uncentered correlation, over the channels where both masks
// are 1; 0 when no channel counts.
//
// Pre: data is n x P; mask (when given) n x P; weight has P entries.
// Post: with n < k, ifound = 0 and nothing else is set; otherwise clusterid
// holds n cluster numbers 0 .. k-1, every cluster non-empty.
#pragma once

#include "app/core/Grid.h"
#include "classify/KMeansRandom.h"

#include <vector>

namespace kmeans {

/// The rows, their masks (nullptr: every value present) and the channel weights.
struct Rows {
    const RealGrid& data;
    const IntGrid* mask = nullptr;
    const std::vector<double>& weight;

    bool present(int i, int c) const { return !mask || (*mask)(i, c) != 0; }
};

struct Centroids {
    RealGrid cdata;   ///< k x P
    IntGrid cmask;    ///< k x P: 1 where a component is defined
};

/// Distance between data row i and centroid row j by code.
double distance(char dist, const Rows& rows, int i, const Centroids& centroids, int j);

/// The centroids of the clusters: means, or medians (even counts: the mean of the
/// two middle values) with method 'm'; an empty component is 0 with cmask 0.
Centroids computeCentroids(char method, int nclusters, const Rows& rows, const std::vector<int>& clusterid);

/// One sweep of the reassignment in the given order. cn holds the cluster sizes and
/// is kept up to date. Returns true when a row moved.
bool reassign(char dist, const Rows& rows, const Centroids& centroids, const std::vector<int>& order,
              std::vector<int>& clusterid, std::vector<int>& cn);

/// The random initial assignment of n rows to k clusters. Pre: k <= n.
std::vector<int> randomAssignment(int nclusters, int n, Random15& rng, const SeedSource& seed);

struct Solution {
    std::vector<int> clusterid;
    Centroids centroids;
    double error = 0.0;   ///< sum of the distances of the rows to their centroids
    int ifound = 0;       ///< passes that reached the kept solution
};

Solution kcluster(int nclusters, const Rows& rows, int npass, char method, char dist, const SeedSource& seed);

} // namespace kmeans
