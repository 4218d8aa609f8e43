#include "app/core/SurfaceChoice.h"

#include "app/core/Reporter.h"

std::optional<SurfaceMode> surfaceModeNamed(const std::string& word)
{
    if (word == "sweeps") return SurfaceMode::Sweeps;
    if (word == "harmonic") return SurfaceMode::Harmonic;
    if (word == "thin-plate") return SurfaceMode::ThinPlate;
    if (word == "tension") return SurfaceMode::Tension;
    return std::nullopt;
}

std::string surfaceDescription(const SurfaceChoice& choice)
{
    switch (choice.mode) {
    case SurfaceMode::Sweeps: return "relaxation sweeps";
    case SurfaceMode::Harmonic: return "harmonic";
    case SurfaceMode::ThinPlate: return "thin-plate";
    case SurfaceMode::Tension: break;
    }
    return "tension " + formatReal(choice.tension);
}
