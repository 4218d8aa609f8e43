// Which surface Run computes where the relaxation sweeps would run: the sweeps
// themselves (the default), or a surface solved to convergence with the known
// postings fixed: harmonic (tension 1), thin-plate (tension 0) or a tension in
// between ((1 - t) times the biharmonic plus t times the Laplacian operator).
#pragma once

#include <optional>
#include <string>

enum class SurfaceMode { Sweeps, Harmonic, ThinPlate, Tension };

struct SurfaceChoice {
    SurfaceMode mode = SurfaceMode::Sweeps;
    double tension = 0.1;    ///< used by SurfaceMode::Tension, in [0, 1] (0.1: the best of the measured cases)

    bool converged() const { return mode != SurfaceMode::Sweeps; }
    /// The tension of the operator: 1 for harmonic, 0 for thin-plate.
    double operatorTension() const
    {
        return mode == SurfaceMode::Harmonic ? 1.0 : mode == SurfaceMode::ThinPlate ? 0.0 : tension;
    }
};

/// The command-line words: "sweeps", "harmonic", "thin-plate", "tension" (which takes T).
std::optional<SurfaceMode> surfaceModeNamed(const std::string& word);
/// A short description for the log ("thin-plate", "tension 0.25").
std::string surfaceDescription(const SurfaceChoice& choice);
