#include "classify/KMeans.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kmeans {
namespace {

/// The weighted sums a distance needs, over the channels both masks admit.
struct Sums {
    bool any = false;
    double W = 0, Sx = 0, Sy = 0, Sxy = 0, Sxx = 0, Syy = 0;
};

Sums correlationSums(const Rows& rows, int i, const Centroids& cen, int j)
{
    Sums s;
    const int P = rows.data.cols();
    for (int c = 0; c < P; ++c) {
        if (!rows.present(i, c) || !cen.cmask(j, c)) continue;
        const double w = rows.weight[std::size_t(c)], x = rows.data(i, c), y = cen.cdata(j, c);
        s.any = true;
        s.W += w;
        s.Sx += w * x;
        s.Sy += w * y;
        s.Sxy += w * x * y;
        s.Sxx += w * x * x;
        s.Syy += w * y * y;
    }
    return s;
}

/// P x sum(w f(x - y)) / W for f = square (Euclidean) or absolute value (city block).
/// Checked = false: every value of the row and the centroid is present (the same sums,
/// without the tests).
template <bool Squared, bool Checked = true>
[[gnu::always_inline]] inline double differenceDistance(const Rows& rows, int i, const Centroids& cen, int j)
{
    const int P = rows.data.cols();
    const double* x = rows.data.row(i);
    const double* y = cen.cdata.row(j);
    const std::int32_t* ym = cen.cmask.row(j);
    const double* w = rows.weight.data();
    double sum = 0, W = 0;
    bool any = false;
    for (int c = 0; c < P; ++c) {
        if (Checked && (!ym[c] || !rows.present(i, c))) continue;
        const double d = x[c] - y[c];
        sum += Squared ? w[c] * d * d : w[c] * std::fabs(d);
        W += w[c];
        any = true;
    }
    if (!any) return 0.0;
    return P * sum / W;
}

/// The sweep of reassign with one distance function.
template <class Distance>
bool reassignWith(Distance&& distanceTo, int k, const std::vector<int>& order, std::vector<int>& clusterid,
                  std::vector<int>& cn)
{
    bool changed = false;
    for (int i : order) {
        int& own = clusterid[std::size_t(i)];
        const int j0 = own;
        if (cn[std::size_t(j0)] == 1) continue;
        double d = distanceTo(i, j0);
        for (int j = 0; j < k; ++j) {
            if (j == j0) continue;
            const double t = distanceTo(i, j);
            if (t < d) {
                d = t;
                --cn[std::size_t(own)];
                own = j;
                ++cn[std::size_t(j)];
                changed = true;
            }
        }
    }
    return changed;
}

double correlationDistance(char dist, const Rows& rows, int i, const Centroids& cen, int j)
{
    Sums s = correlationSums(rows, i, cen, j);
    if (!s.any) return 0.0;
    const bool centred = dist == 'c' || dist == 'a';
    const bool absolute = dist == 'a' || dist == 'x';
    if (centred) {
        s.Sxy -= s.Sx * s.Sy / s.W;
        s.Sxx -= s.Sx * s.Sx / s.W;
        s.Syy -= s.Sy * s.Sy / s.W;
        if (s.Sxx <= 0 || s.Syy <= 0) return 1.0;
    } else if (s.Sxx == 0 || s.Syy == 0) {
        return 1.0;
    }
    const double r = s.Sxy / std::sqrt(s.Sxx * s.Syy);
    return 1.0 - (absolute ? std::fabs(r) : r);
}

/// Pairs each cluster j of a candidate assignment with the cluster of the kept one;
/// false when a cluster of the candidate meets two clusters of the kept assignment.
bool samePartition(const std::vector<int>& kept, const std::vector<int>& candidate, int nclusters)
{
    std::vector<int> mapping(std::size_t(nclusters), -1);
    bool same = true;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        int& m = mapping[std::size_t(candidate[i])];
        if (m == -1) m = kept[i];
        else if (m != kept[i]) same = false;
    }
    return same;
}

double totalDistance(char dist, const Rows& rows, const Centroids& cen, const std::vector<int>& clusterid)
{
    double total = 0;
    for (std::size_t i = 0; i < clusterid.size(); ++i) total += distance(dist, rows, int(i), cen, clusterid[i]);
    return total;
}

/// One pass of the EM loop from a random start.
void emPass(int k, const Rows& rows, char method, char dist, Random15& rng, const SeedSource& seed,
            std::vector<int>& clusterid, Centroids& centroids)
{
    const int n = rows.data.rows();
    clusterid = randomAssignment(k, n, rng, seed);
    std::vector<int> cn(std::size_t(k), 0);
    for (int j : clusterid) ++cn[std::size_t(j)];
    std::vector<int> index(static_cast<std::size_t>(n));
    std::iota(index.begin(), index.end(), 0);
    std::vector<int> saved;
    long long iteration = 0, period = 10;
    bool changed = false, same = false;
    do {
        if (iteration % period == 0) {
            saved = clusterid;
            period *= 2;
        }
        ++iteration;
        centroids = computeCentroids(method, k, rows, clusterid);
        permute(rng, index);
        changed = reassign(dist, rows, centroids, index, clusterid, cn);
        same = clusterid == saved;
    } while (changed && !same);
}

double median(std::vector<double>& v)
{
    const std::size_t m = v.size(), half = m / 2;
    std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(half), v.end());
    const double upper = v[half];
    if (m % 2) return upper;
    const double lower = *std::max_element(v.begin(), v.begin() + std::ptrdiff_t(half));
    return (lower + upper) / 2;
}

} // namespace

double distance(char dist, const Rows& rows, int i, const Centroids& centroids, int j)
{
    switch (dist) {
    case 'b': return differenceDistance<false>(rows, i, centroids, j);
    case 'c':
    case 'a':
    case 'u':
    case 'x': return correlationDistance(dist, rows, i, centroids, j);
    default: return differenceDistance<true>(rows, i, centroids, j);
    }
}

Centroids computeCentroids(char method, int k, const Rows& rows, const std::vector<int>& clusterid)
{
    const int n = rows.data.rows(), P = rows.data.cols();
    Centroids out{RealGrid(k, P, 0.0), IntGrid(k, P, 0)};
    if (method == 'm') {
        std::vector<std::vector<int>> members(static_cast<std::size_t>(k));
        for (int i = 0; i < n; ++i) members[std::size_t(clusterid[std::size_t(i)])].push_back(i);
        std::vector<double> values;
        for (int j = 0; j < k; ++j)
            for (int c = 0; c < P; ++c) {
                values.clear();
                for (int i : members[std::size_t(j)])
                    if (rows.present(i, c)) values.push_back(rows.data(i, c));
                if (values.empty()) continue;
                out.cdata(j, c) = median(values);
                out.cmask(j, c) = 1;
            }
        return out;
    }
    IntGrid count(k, P, 0);
    for (int i = 0; i < n; ++i) {
        const int j = clusterid[std::size_t(i)];
        for (int c = 0; c < P; ++c)
            if (rows.present(i, c)) {
                out.cdata(j, c) += rows.data(i, c);
                ++count(j, c);
            }
    }
    for (int j = 0; j < k; ++j)
        for (int c = 0; c < P; ++c)
            if (count(j, c) > 0) {
                out.cdata(j, c) /= count(j, c);
                out.cmask(j, c) = 1;
            }
    return out;
}

bool reassign(char dist, const Rows& rows, const Centroids& centroids, const std::vector<int>& order,
              std::vector<int>& clusterid, std::vector<int>& cn)
{
    const int k = centroids.cdata.rows();
    const auto cmask = centroids.cmask.cells();
    const bool complete = !rows.mask && std::all_of(cmask.begin(), cmask.end(), [](std::int32_t m) { return m != 0; });
    const bool difference = dist != 'b' && dist != 'c' && dist != 'a' && dist != 'u' && dist != 'x';
    if (complete && difference)
        return reassignWith([&](int i, int j) { return differenceDistance<true, false>(rows, i, centroids, j); }, k,
                            order, clusterid, cn);
    if (complete && dist == 'b')
        return reassignWith([&](int i, int j) { return differenceDistance<false, false>(rows, i, centroids, j); }, k,
                            order, clusterid, cn);
    return reassignWith([&](int i, int j) { return distance(dist, rows, i, centroids, j); }, k, order, clusterid, cn);
}

std::vector<int> randomAssignment(int k, int n, Random15& rng, const SeedSource& seed)
{
    std::vector<int> map(static_cast<std::size_t>(n));
    std::iota(map.begin(), map.end(), 0);
    permute(rng, map);
    std::vector<int> clusterid(std::size_t(n), 0);
    for (int i = 0; i < k; ++i) clusterid[std::size_t(map[std::size_t(i)])] = i;
    rng.seed(seed());
    int j = 0;
    for (int i = k; i < n; ++i) {
        clusterid[std::size_t(map[std::size_t(i)])] = j;
        j = rng.draw() % k;
    }
    return clusterid;
}

Solution kcluster(int k, const Rows& rows, int npass, char method, char dist, const SeedSource& seed)
{
    Solution best;
    const int n = rows.data.rows();
    if (k < 1 || n < k) return best;   // ifound = 0: no solution

    Random15 rng;
    rng.seed(seed());
    rng.draw();
    rng.draw();
    best.ifound = 1;
    emPass(k, rows, method, dist, rng, seed, best.clusterid, best.centroids);
    best.error = totalDistance(dist, rows, best.centroids, best.clusterid);

    std::vector<int> tclusterid;
    Centroids tcentroids;
    for (int pass = 1; pass < npass; ++pass) {
        emPass(k, rows, method, dist, rng, seed, tclusterid, tcentroids);
        const bool same = samePartition(best.clusterid, tclusterid, k);
        const double total = totalDistance(dist, rows, tcentroids, tclusterid);
        if (same) {
            ++best.ifound;
        } else if (total < best.error) {
            best.ifound = 1;
            best.error = total;
            best.clusterid = tclusterid;
            best.centroids = tcentroids;
        }
    }
    return best;
}

} // namespace kmeans
