#include "classify/PixelClassification.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "app/core/TextNumbers.h"
#include "classify/KMeans.h"

#include <string>

ClassificationOutcome classifyPixels(IntGrid& picture, const ClassificationParameters& p,
                                     const kmeans::SeedSource& seed, Reporter& reporter,
                                     const std::function<void()>& beep)
{
    const std::size_t n = picture.size();
    reporter.log("nrows is:  " + std::to_string(n));
    reporter.log("ncols is:  3");
    RealGrid data(int(n), 3);
    auto pixels = picture.cells();
    for (std::size_t i = 0; i < n; ++i) {
        const std::int32_t v = pixels[i];
        data(int(i), 0) = (v >> 16) & 255;
        data(int(i), 1) = (v >> 8) & 255;
        data(int(i), 2) = v & 255;
    }
    const std::vector<double> weight(3, 1.0);
    const kmeans::Rows rows{data, nullptr, weight};   // every mask entry is 1

    reporter.log(" ");
    reporter.log("Computing k-mean classification");
    reporter.log("This will take a moment...");
    reporter.log("  ");
    const kmeans::Solution solution = kmeans::kcluster(p.nclusters, rows, p.npass, p.method, p.dist, seed);

    ClassificationOutcome outcome;
    outcome.ifound = solution.ifound;
    reporter.log("Solution found with " + std::to_string(solution.ifound) + " replicates");
    if (solution.ifound == 0) {   // fewer pixels than clusters: nothing to repaint
        reporter.log(" ");
        if (beep) beep();
        return outcome;
    }
    outcome.error = solution.error;
    reporter.log("Sum of distances is" + formatReal(solution.error));
    reporter.log(" ");

    const kmeans::Centroids means = kmeans::computeCentroids('a', p.nclusters, rows, solution.clusterid);
    if (beep) beep();
    reporter.log("Pixel cluster centroids:");
    reporter.log(" ");
    for (int c = 0; c < p.nclusters; ++c) {
        reporter.log("Cluster" + std::to_string(c));
        std::array<double, 3> rgb{};
        for (int k = 0; k < 3; ++k) {
            rgb[std::size_t(k)] = means.cdata(c, k);
            reporter.log(formatReal(rgb[std::size_t(k)]));
        }
        reporter.log(" ");
        outcome.centroids.push_back(rgb);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const auto& rgb = outcome.centroids[std::size_t(solution.clusterid[i])];
        pixels[i] = (gridops::truncToInt(rgb[0]) << 16) | (gridops::truncToInt(rgb[1]) << 8) |
                    gridops::truncToInt(rgb[2]);
    }
    outcome.recoloured = true;
    return outcome;
}

const std::vector<std::string>& computationMethodItems()
{
    static const std::vector<std::string> items = {"Cluster Mean k-means", "Cluster Median k-means"};
    return items;
}

const std::vector<std::string>& distanceAlgorithmItems()
{
    static const std::vector<std::string> items = {
        "Euclidian Distance", "City Block Distance", "Pearson Correlation Coefficient",
        "Absolute Value Pearson Correlation Coefficient", "Absolute Uncentered Pearson Correlation",
        "Uncentered Pearson Correlation"};
    return items;
}

char computationMethodCode(int item)
{
    static constexpr char codes[] = {'a', 'm'};
    return item >= 0 && item < 2 ? codes[item] : 0;
}

char distanceAlgorithmCode(int item)
{
    static constexpr char codes[] = {'e', 'b', 'c', 'a', 'x', 'u'};
    return item >= 0 && item < 6 ? codes[item] : 0;
}

const std::vector<std::string>& classificationEntryErrorLines()
{
    static const std::vector<std::string> lines = {"The number of passes and the", "number of clusters must be at",
                                                   "least 1."};
    return lines;
}

ClassificationEntryCheck checkClassificationEntries(std::string_view passesText, std::string_view clustersText)
{
    ClassificationEntryCheck check;
    if (isEmptyText(passesText) || isEmptyText(clustersText)) return check;
    const auto passes = parseIntText(passesText), clusters = parseIntText(clustersText);
    if (!passes || !clusters) {
        check.result = ClassificationEntry::NotAnInteger;
        return check;
    }
    if (*passes < 1 || *clusters < 1) return check;
    return {ClassificationEntry::Valid, *passes, *clusters};
}

void logClassificationEntries(std::string_view clustersText, std::string_view passesText, Reporter& reporter)
{
    reporter.log("Number of clusters is:  " + std::string(clustersText));
    reporter.log("number of passes is:  " + std::string(passesText));
}
