#include "classify/KMeans.h"
#include "classify/PixelClassification.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>
#include <set>

using namespace kmeans;

namespace {

SeedSource fixedSeed(std::uint32_t s) { return [s] { return s; }; }

/// Rows of (red, green, blue) values, all masks 1, all weights 1.
struct Data {
    RealGrid data;
    std::vector<double> weight = std::vector<double>(3, 1.0);
    Rows rows() const { return {data, nullptr, weight}; }
};

Data dataOf(std::initializer_list<std::array<double, 3>> values)
{
    Data d{RealGrid(int(values.size()), 3)};
    int i = 0;
    for (const auto& v : values) {
        for (int c = 0; c < 3; ++c) d.data(i, c) = v[std::size_t(c)];
        ++i;
    }
    return d;
}

Centroids centroidsOf(std::initializer_list<std::array<double, 3>> values)
{
    const Data d = dataOf(values);
    return {d.data, IntGrid(d.data.rows(), 3, 1)};
}

/// The 30-pixel test picture: pixel i = ((37 i) mod 256, (91 i + 13) mod 256, (53 i + 7) mod 256).
Data testPicture()
{
    Data d{RealGrid(30, 3)};
    for (int i = 0; i < 30; ++i) {
        d.data(i, 0) = (i * 37) % 256;
        d.data(i, 1) = (i * 91 + 13) % 256;
        d.data(i, 2) = (i * 53 + 7) % 256;
    }
    return d;
}

} // namespace

TEST(KMeansRandom, ReproducesTheHandComputedSequence)
{
    // s = 1; the seeding draw: s = 1 x 22695477 + 1 = 22695478 (draw 346, discarded).
    // Next: s = 22695478 x 22695477 + 1 mod 2^32 = 2156045615; 2156045615 >> 16 = 32898,
    // & 0x7FFF = 130.
    Random15 rng;
    rng.seed(1);
    EXPECT_EQ(rng.state(), 22695478u);
    EXPECT_EQ(rng.draw(), 130);
    EXPECT_EQ(rng.state(), 2156045615u);
    for (int expected : {10982, 1090, 11656, 7117, 17595}) EXPECT_EQ(rng.draw(), expected);
}

TEST(KMeansRandom, UniformDrawAndPermutation)
{
    Random15 rng;
    rng.seed(1);
    const std::uint32_t before = rng.state();
    EXPECT_EQ(uniformInt(rng, 7, 7), 7);   // no draw for a one-value range
    EXPECT_EQ(rng.state(), before);
    EXPECT_EQ(uniformInt(rng, 10, 13), 10 + 130 % 4);

    // Draws 130, 10982, 1090: swap 0 with 0 + 130 % 4 = 2, 1 with 1 + 10982 % 3 = 3, 2 with 2 + 1090 % 2 = 2.
    rng.seed(1);
    std::vector<int> a = {0, 1, 2, 3};
    permute(rng, a);
    EXPECT_EQ(a, (std::vector<int>{2, 3, 0, 1}));
    EXPECT_EQ(rng.draw(), 11656);   // the last entry used no draw

}

TEST(KMeansRandom, InitialAssignmentGivesEveryClusterAPixel)
{
    Random15 rng;
    rng.seed(1);
    // map = {2, 3, 0, 1}; pixels 2 and 3 start clusters 0 and 1; reseeded, the rest go to
    // cluster 0, then 130 % 2 = 0.
    EXPECT_EQ(randomAssignment(2, 4, rng, fixedSeed(1)), (std::vector<int>{0, 0, 0, 1}));
}

TEST(KMeansDistances, SixMeasures)
{
    const Data x = dataOf({{1, 2, 3}});
    const Centroids y = centroidsOf({{2, 4, 6}, {6, 4, 2}, {5, 5, 5}});
    const Rows rows = x.rows();
    EXPECT_DOUBLE_EQ(distance('e', rows, 0, y, 0), 14.0);
    EXPECT_DOUBLE_EQ(distance(0, rows, 0, y, 0), 14.0);   // no choice yet: Euclidean
    EXPECT_DOUBLE_EQ(distance('b', rows, 0, y, 0), 6.0);
    EXPECT_NEAR(distance('c', rows, 0, y, 0), 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(distance('c', rows, 0, y, 1), 2.0);
    EXPECT_NEAR(distance('a', rows, 0, y, 1), 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(distance('c', rows, 0, y, 2), 1.0);   // a grey centroid has no spread
    EXPECT_DOUBLE_EQ(distance('u', rows, 0, y, 1), 1.0 - 20.0 / 28.0);
    EXPECT_DOUBLE_EQ(distance('x', rows, 0, y, 1), 1.0 - 20.0 / 28.0);
    EXPECT_NEAR(distance('u', rows, 0, y, 0), 0.0, 1e-15);
}

TEST(KMeansDistances, MasksAndWeights)
{
    Data x = dataOf({{1, 2, 3}});
    IntGrid mask(1, 3, 1);
    mask(0, 2) = 0;
    const Rows masked{x.data, &mask, x.weight};
    Centroids y = centroidsOf({{2, 4, 6}});
    EXPECT_DOUBLE_EQ(distance('e', masked, 0, y, 0), 3.0 * 5.0 / 2.0);
    y.cmask.fill(0);
    EXPECT_EQ(distance('e', masked, 0, y, 0), 0.0);   // no channel counts
    EXPECT_EQ(distance('c', masked, 0, y, 0), 0.0);
    const std::vector<double> weight = {2.0, 1.0, 1.0};
    const Rows weighted{x.data, nullptr, weight};
    EXPECT_DOUBLE_EQ(distance('b', weighted, 0, centroidsOf({{2, 4, 6}}), 0), 3.0 * (2 + 2 + 3) / 4.0);
}

TEST(KMeansCentroids, MeanAndMedian)
{
    const Data d = dataOf({{1, 0, 0}, {5, 0, 0}, {3, 0, 0}, {100, 0, 0}, {7, 7, 7}});
    const std::vector<int> clusterid = {0, 0, 0, 0, 1};
    const Centroids mean = computeCentroids('a', 3, d.rows(), clusterid);
    EXPECT_DOUBLE_EQ(mean.cdata(0, 0), 109.0 / 4);
    EXPECT_EQ(mean.cmask(0, 0), 1);
    EXPECT_EQ(mean.cmask(2, 0), 0);   // an empty cluster
    EXPECT_EQ(mean.cdata(2, 0), 0.0);
    const Centroids median = computeCentroids('m', 3, d.rows(), clusterid);
    EXPECT_DOUBLE_EQ(median.cdata(0, 0), 4.0);   // (3 + 5) / 2
    EXPECT_DOUBLE_EQ(median.cdata(1, 1), 7.0);
    EXPECT_EQ(median.cmask(2, 1), 0);
    const Centroids odd = computeCentroids('m', 1, dataOf({{1, 0, 0}, {5, 0, 0}, {3, 0, 0}}).rows(), {0, 0, 0});
    EXPECT_DOUBLE_EQ(odd.cdata(0, 0), 3.0);
}

TEST(KMeansReassign, TiesStayAndEqualCloserCentroidsGoToTheLowestNumber)
{
    const Data d = dataOf({{10, 0, 0}, {0, 0, 0}, {20, 0, 0}, {40, 0, 0}});
    std::vector<int> clusterid = {0, 0, 1, 1}, cn = {2, 2};
    EXPECT_FALSE(reassign('e', d.rows(), centroidsOf({{0, 0, 0}, {20, 0, 0}}), {0}, clusterid, cn));
    EXPECT_EQ(clusterid[0], 0);

    clusterid = {0, 0, 1, 2};
    cn = {2, 1, 1};
    EXPECT_TRUE(reassign('e', d.rows(), centroidsOf({{40, 0, 0}, {20, 0, 0}, {0, 0, 0}}), {0}, clusterid, cn));
    EXPECT_EQ(clusterid[0], 1);
    EXPECT_EQ(cn, (std::vector<int>{1, 2, 1}));

    // A pixel alone in its cluster never leaves it.
    clusterid = {0, 1, 1, 1};
    cn = {1, 3};
    EXPECT_FALSE(reassign('e', d.rows(), centroidsOf({{250, 0, 0}, {10, 0, 0}}), {0}, clusterid, cn));
}

TEST(KMeansClustering, AgreesWithAHandTracedReference)
{
    // Expected results worked out independently, step by step from the method.
    struct Case {
        int k, npass;
        char method, dist;
        std::uint32_t seed;
        std::vector<int> clusterid;
        int ifound;
        double error;
    };
    const std::vector<Case> cases = {
        {3, 4, 'a', 'e', 12345, {0, 0, 0, 2, 2, 1, 1, 0, 0, 2, 0, 1, 1, 1, 2, 0, 0, 2, 2, 1, 1, 0, 0, 2, 2, 1, 1, 1, 2, 0},
         1, 254588.4282828283},
        {3, 4, 'm', 'b', 777, {1, 1, 0, 2, 2, 1, 1, 0, 0, 2, 1, 1, 1, 2, 2, 1, 0, 2, 2, 2, 1, 0, 0, 2, 2, 1, 1, 2, 2, 1},
         1, 4095.0},
        {4, 5, 'a', 'c', 99, {3, 3, 3, 0, 0, 1, 2, 3, 3, 0, 1, 1, 2, 2, 0, 1, 3, 0, 0, 0, 2, 3, 3, 0, 0, 1, 2, 2, 0, 1},
         2, 1.1801679379899879},
        {2, 3, 'a', 'x', 5, {0, 0, 0, 1, 1, 0, 1, 0, 0, 1, 0, 0, 1, 1, 1, 0, 0, 1, 1, 1, 1, 0, 0, 1, 1, 0, 1, 1, 1, 0},
         1, 1.911539677664184},
        {5, 2, 'm', 'e', 2024, {0, 0, 0, 3, 2, 4, 1, 0, 0, 3, 4, 4, 1, 2, 3, 0, 0, 3, 2, 2, 1, 0, 0, 3, 2, 4, 1, 2, 3, 0},
         1, 143506.5},
        {3, 3, 'a', 'u', 42, {1, 1, 1, 2, 2, 0, 0, 1, 1, 2, 1, 1, 0, 0, 2, 1, 1, 2, 2, 2, 0, 1, 1, 2, 2, 1, 0, 0, 2, 1},
         1, 1.2190658414618039},
    };
    const Data d = testPicture();
    for (const Case& c : cases) {
        int seedCalls = 0;
        const SeedSource seed = [&] {
            ++seedCalls;
            return c.seed;
        };
        const Solution s = kcluster(c.k, d.rows(), c.npass, c.method, c.dist, seed);
        EXPECT_EQ(s.clusterid, c.clusterid) << c.dist << c.seed;
        EXPECT_EQ(s.ifound, c.ifound) << c.dist << c.seed;
        EXPECT_EQ(s.error, c.error) << c.dist << c.seed;
        EXPECT_EQ(seedCalls, 1 + c.npass);   // once at the start, once in each pass's initial assignment
    }
}

TEST(Classification, FewerPixelsThanClustersLeavesThePictureUnchanged)
{
    const IntGrid original = pictureOf({0x112233, 0x445566}, 1);
    IntGrid picture = original;
    RecordingReporter log;
    const auto out = classifyPixels(picture, {3, 2, 'a', 'e'}, fixedSeed(1), log);
    EXPECT_EQ(out.ifound, 0);
    EXPECT_FALSE(out.recoloured);
    EXPECT_EQ(picture, original);
    EXPECT_EQ(log.lines.back(), " ");
    EXPECT_EQ(log.lines[log.lines.size() - 2], "Solution found with 0 replicates");
}

TEST(ClassificationEntries, ValidationAndItemCodes)
{
    EXPECT_EQ(checkClassificationEntries("0", "6").result, ClassificationEntry::Refused);
    EXPECT_EQ(checkClassificationEntries("1", "").result, ClassificationEntry::Refused);
    EXPECT_EQ(checkClassificationEntries("a", "6").result, ClassificationEntry::NotAnInteger);
    const auto ok = checkClassificationEntries("1", "6");
    EXPECT_EQ(ok.result, ClassificationEntry::Valid);
    EXPECT_EQ(ok.npass, 1);
    EXPECT_EQ(ok.nclusters, 6);
    EXPECT_EQ(classificationEntryErrorLines(),
              (std::vector<std::string>{"The number of passes and the", "number of clusters must be at", "least 1."}));

    EXPECT_EQ(computationMethodCode(0), 'a');
    EXPECT_EQ(computationMethodCode(1), 'm');
    EXPECT_EQ(computationMethodCode(-1), 0);
    const std::string codes = {distanceAlgorithmCode(0), distanceAlgorithmCode(1), distanceAlgorithmCode(2),
                               distanceAlgorithmCode(3), distanceAlgorithmCode(4), distanceAlgorithmCode(5)};
    EXPECT_EQ(codes, "ebcaxu");
    EXPECT_EQ(distanceAlgorithmItems()[4], "Absolute Uncentered Pearson Correlation");

    RecordingReporter log;
    logClassificationEntries("6", "1", log);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Number of clusters is:  6", "number of passes is:  1"}));
}
