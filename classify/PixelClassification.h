// "Classify Pixels": the colours of a picture reduced to k representative
// colours by k-means clustering of the pixels' (red, green, blue) values.
//
// The classification builds one data row per pixel (row-major), all masks 1
// and all weights 1, runs the clustering, logs the solution count, the sum of
// distances and the centroids (always the means of the final clusters), and
// repaints every pixel with its cluster's mean colour, each channel truncated.
// With fewer pixels than clusters there is no solution: the log shows a
// solution count of 0 and the picture is unchanged.
//
// Threading: the caller runs classifyPixels on a worker thread with its own
// copy of imageArray (taken with the undo copies on the user-interface thread)
// and a Reporter that hands the lines to the user-interface thread; the copy
// replaces imageArray there when the work ends.
#pragma once

#include "app/core/Grid.h"
#include "classify/KMeansRandom.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class Reporter;

struct ClassificationParameters {
    int nclusters = 0;
    int npass = 0;
    char method = 0;   ///< 'm' median, anything else mean ('a' for "Cluster Mean k-means")
    char dist = 0;     ///< 'e', 'b', 'c', 'a', 'u', 'x'; anything else Euclidean
};

struct ClassificationOutcome {
    int ifound = 0;
    double error = 0.0;
    std::vector<std::array<double, 3>> centroids;   ///< mean red, green, blue of each cluster
    bool recoloured = false;
};

/// Runs the classification on picture (0xRRGGBB colours) and repaints it.
/// beep is sounded when the clustering ends (before the centroids are listed).
ClassificationOutcome classifyPixels(IntGrid& picture, const ClassificationParameters& parameters,
                                     const kmeans::SeedSource& seed, Reporter& reporter,
                                     const std::function<void()>& beep = {});

// The "Pixel Classification Data Entry" dialog's plain part.

/// The items of "Computation Method" and "Distance Algorithm", in order.
const std::vector<std::string>& computationMethodItems();
const std::vector<std::string>& distanceAlgorithmItems();
/// The codes of the items: 'a', 'm' and 'e', 'b', 'c', 'a', 'x', 'u'; 0 for no item.
char computationMethodCode(int item);
char distanceAlgorithmCode(int item);

/// The error window's lines for an empty or too small entry.
const std::vector<std::string>& classificationEntryErrorLines();

enum class ClassificationEntry {
    Valid,
    Refused,        ///< empty or below 1: the "Error!" window
    NotAnInteger,   ///< "Conversion Error": "Text box entry must be an integer!"
};

struct ClassificationEntryCheck {
    ClassificationEntry result = ClassificationEntry::Refused;
    int npass = 0;
    int nclusters = 0;
};

/// Checks the two entries: emptiness first, then conversion, then the lower limit 1.
ClassificationEntryCheck checkClassificationEntries(std::string_view passesText, std::string_view clustersText);

/// Logs "Number of clusters is:  " and "number of passes is:  " with the entries' texts.
void logClassificationEntries(std::string_view clustersText, std::string_view passesText, Reporter& reporter);
