// "Pixel Classification Data Entry": the lists "Computation Method" and
// "Distance Algorithm" (nothing chosen at first), "Number of Passes" ("1"),
// "Number of Clusters" ("6") and "Submit". The dialog keeps the
// classification parameters between runs; Submit checks the entries, stores
// them and hands them to `start`.
#pragma once

#include "classify/PixelClassification.h"

#include <QDialog>
#include <functional>

class QLineEdit;
class QListWidget;
class ErrorWindow;
class Reporter;

class ClassificationDialog : public QDialog {
    Q_OBJECT
public:
    ClassificationDialog(Reporter& reporter, QWidget* parent = nullptr);

    /// nclusters, npass, method and dist as the last Submit left them (all zero at first).
    ClassificationParameters parameters;
    /// Starts the classification with the given parameters (the worker thread).
    std::function<void(const ClassificationParameters&)> start;

    QListWidget* methodList() const { return method_; }
    QListWidget* distanceList() const { return distance_; }
    QLineEdit* passesEdit() const { return passes_; }
    QLineEdit* clustersEdit() const { return clusters_; }
    /// "Error!": "The number of passes and the", "number of clusters must be at", "least 1."
    ErrorWindow& errorWindow();

public slots:
    void submit();

private:
    Reporter& reporter_;
    QListWidget* method_;
    QListWidget* distance_;
    QLineEdit* passes_;
    QLineEdit* clusters_;
    ErrorWindow* error_ = nullptr;
};
