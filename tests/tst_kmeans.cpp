#include "classify/KMeans.h"
#include "classify/PixelClassification.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>
#include <tuple>

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
    EXPECT_EQ((std::vector{rng.draw(), rng.draw(), rng.draw(), rng.draw(), rng.draw(), rng.draw()}),
              (std::vector{130, 10982, 1090, 11656, 7117, 17595}));
}

TEST(KMeansDistances, SixMeasures)
{
    const Data x = dataOf({{1, 2, 3}});
    const Centroids y = centroidsOf({{2, 4, 6}, {6, 4, 2}, {5, 5, 5}});
    // (measure, centroid, distance); 0 is no choice yet: Euclidean; a grey centroid has no spread.
    const std::vector<std::tuple<char, int, double>> table = {
        {'e', 0, 14.0}, {0, 0, 14.0},  {'b', 0, 6.0}, {'c', 0, 0.0},  {'c', 1, 2.0}, {'a', 1, 0.0},
        {'c', 2, 1.0},  {'u', 1, 1.0 - 20.0 / 28.0},  {'x', 1, 1.0 - 20.0 / 28.0},   {'u', 0, 0.0}};
    for (const auto& [measure, j, expected] : table)
        EXPECT_NEAR(distance(measure, x.rows(), 0, y, j), expected, 1e-14) << measure << j;
}

TEST(KMeansCentroids, MeanAndMedian)
{
    const Data d = dataOf({{1, 0, 0}, {5, 0, 0}, {3, 0, 0}, {100, 0, 0}, {7, 7, 7}});
    const Centroids mean = computeCentroids('a', 3, d.rows(), {0, 0, 0, 0, 1});
    // Cluster 2 is empty.
    EXPECT_EQ(std::tuple(mean.cdata(0, 0), mean.cmask(0, 0), mean.cmask(2, 0), mean.cdata(2, 0)),
              std::tuple(109.0 / 4, 1, 0, 0.0));
    const Centroids median = computeCentroids('m', 3, d.rows(), {0, 0, 0, 0, 1});
    EXPECT_EQ(std::tuple(median.cdata(0, 0), median.cdata(1, 1), median.cmask(2, 1)), std::tuple(4.0, 7.0, 0));
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
        {3, 4, 'a', 'e', 12345,
         {0, 0, 0, 2, 2, 1, 1, 0, 0, 2, 0, 1, 1, 1, 2, 0, 0, 2, 2, 1, 1, 0, 0, 2, 2, 1, 1, 1, 2, 0},
         1, 254588.4282828283},
        {3, 4, 'm', 'b', 777,
         {1, 1, 0, 2, 2, 1, 1, 0, 0, 2, 1, 1, 1, 2, 2, 1, 0, 2, 2, 2, 1, 0, 0, 2, 2, 1, 1, 2, 2, 1},
         1, 4095.0},
        {4, 5, 'a', 'c', 99, {3, 3, 3, 0, 0, 1, 2, 3, 3, 0, 1, 1, 2, 2, 0, 1, 3, 0, 0, 0, 2, 3, 3, 0, 0, 1, 2, 2, 0, 1},
         2, 1.1801679379899879},
    };
    const Data d = testPicture();
    for (const Case& c : cases) {
        const Solution s = kcluster(c.k, d.rows(), c.npass, c.method, c.dist, fixedSeed(c.seed));
        EXPECT_EQ(std::tuple(s.clusterid, s.ifound, s.error), std::tuple(c.clusterid, c.ifound, c.error)) << c.dist;
    }
}

TEST(Classification, FewerPixelsThanClustersLeavesThePictureUnchanged)
{
    const IntGrid original = pictureOf({0x112233, 0x445566}, 1);
    IntGrid picture = original;
    RecordingReporter log;
    const auto out = classifyPixels(picture, {3, 2, 'a', 'e'}, fixedSeed(1), log);
    EXPECT_EQ(std::tuple(out.ifound, out.recoloured, picture), std::tuple(0, false, original));
    EXPECT_EQ(std::vector(log.lines.end() - 2, log.lines.end()),
              (std::vector<std::string>{"Solution found with 0 replicates", " "}));
}

TEST(ClassificationEntries, Validation)
{
    EXPECT_EQ(checkClassificationEntries("0", "6").result, ClassificationEntry::Refused);
    EXPECT_EQ(checkClassificationEntries("a", "6").result, ClassificationEntry::NotAnInteger);
    const auto ok = checkClassificationEntries("1", "6");
    EXPECT_EQ(std::tuple(ok.result, ok.npass, ok.nclusters), std::tuple(ClassificationEntry::Valid, 1, 6));
}
