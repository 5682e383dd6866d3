#pragma once

#include "sim/CanModel.h"
#include "sim/Engine.h"
#include "sim/EngineProgress.h"
#include "sim/SimModel.h"
#include "sim/SimResults.h"

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>

namespace vlnokan::sim {

// The memory this machine can give now (MemAvailable), nullopt where it cannot tell.
std::optional<std::size_t> availableMemory();

// What the engine needs in memory for a model, in bytes: the fields and their update
// coefficients per cell, on top of the engine's own start-up. Measured on the can models.
std::size_t memoryEstimate(const SimModel& model);
double memoryEstimate(double cells);

// What a model is checked for before it is built: a run on this machine, or a file to be run
// elsewhere (built here, run on a machine of any size a builder may reach).
enum class ModelUse { Simulate, Export };

// Refuses at once, with the estimate and the memory free here, a model of that size that this
// machine cannot run (or, for export, cannot build, or no machine could run). free: unset for
// what the machine has available. Throws ESimulation.
void refuseOversized(const ModelSize& size, ModelUse use,
                     std::optional<std::size_t> free = availableMemory());

struct SimSettings {
    std::filesystem::path cacheFolder;
    unsigned threads = 0;                   // 0: one per core
    std::optional<std::size_t> memoryLimit; // bytes; unset: what the machine has available
    int frequencyPoints = 201;              // across the band, for S11 and impedance
    double patternStepDeg = 2;
};

// Simulates the model, or takes its results from the cache. Progress is reported as the engine
// reports it; cancel stops the engine (the run ends with EAbort). Nothing of the run stays
// behind but the cached results. Throws ESimulation: engine missing, model too large, engine
// failed, output missing.
SimResults simulate(const SimModel& model, const SimSettings& settings,
                    const std::function<void(const Progress&)>& onProgress,
                    const std::atomic<bool>& cancel);

// The results from the files of a finished run in folder.
SimResults analyseRun(const SimModel& model, const std::filesystem::path& folder,
                      const SimSettings& settings);

} // namespace vlnokan::sim
