#include "sim/Simulation.h"

#include "core/Faults.h"
#include "core/FileWriter.h"
#include "sim/ModelWriter.h"
#include "sim/ResultCache.h"
#include "sim/SimFaults.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <deque>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace vlnokan::sim {

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double megabyte = 1024.0 * 1024.0;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

Trace readProbe(const fs::path& file) {
    std::ifstream in(file);
    if (!in)
        throw ESimulation("Simulátor nezapsal napětí a proud na napájení antény.");
    return readTrace(in);
}

// A private folder for one run, removed with everything in it when the run is over: in the
// cache, marked as this process's so that the next run removes it should this one be killed, or
// without a cache in the system's folder for temporary files (made for this user alone).
class RunFolder final {
public:
    explicit RunFolder(const fs::path& cache) {
        std::error_code error;
        fs::path parent = cache;
        if (cache.empty())
            parent = fs::temp_directory_path(error);
        if (parent.empty())
            parent = "/tmp";
        fs::create_directories(parent, error);
        std::string pattern =
            (parent / (cache.empty() ? "vlnokan-run-XXXXXX" : "run-XXXXXX")).string();
        if (!mkdtemp(pattern.data()))
            throw ESimulation("Nelze vytvořit pracovní složku simulace v " + parent.string() + ".");
        m_path = pattern;
        if (!cache.empty())
            claimRunFolder(m_path);
    }
    ~RunFolder() {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

std::string failureText(int status, const std::deque<std::string>& tail) {
    std::string text =
        status < 0 ? "Simulátor openEMS havaroval (signál " + std::to_string(-status) + ")."
                   : "Simulátor openEMS skončil chybou (stav " + std::to_string(status) + ").";
    for (const std::string& line : tail)
        text += "\n" + line;
    return text;
}

// Runs the engine in folder until it ends or is cancelled. Cancelling drops an ABORT file,
// which the engine looks for between steps; one that does not stop within a moment is killed.
void runEngine(const SimModel& model, const fs::path& folder, const SimSettings& settings,
               const std::function<void(const Progress&)>& onProgress,
               const std::atomic<bool>& cancel) {
    EngineLauncher& launcher = Engines::get();
    const auto program = launcher.find();
    if (!program)
        throw ESimulation("Simulátor openEMS není nainstalován. Nainstalujte jej příkazem "
                          "\"sudo apt-get install openems\".");
    const unsigned threads =
        settings.threads ? settings.threads : std::max(1U, std::thread::hardware_concurrency());
    const auto engine = launcher.start(
        *program,
        {modelFileName, "--engine=multithreaded", "--numThreads=" + std::to_string(threads)},
        folder);
    const Clock::time_point start = Clock::now();
    ProgressEstimate estimate(10 * std::log10(model.endEnergy));
    std::deque<std::string> tail;
    std::optional<Clock::time_point> abortedAt;
    std::string line;
    for (;;) {
        if (cancel && !abortedAt) {
            std::ofstream(folder / "ABORT") << "\n";
            abortedAt = Clock::now();
        }
        if (abortedAt && secondsSince(*abortedAt) > 0.6) {
            engine->kill();
            break;
        }
        const auto read = engine->readLine(line, abortedAt ? 50 : 200);
        if (read == EngineProcess::Read::Ended)
            break;
        if (read != EngineProcess::Read::Line)
            continue;
        if (const auto report = parseEngineReport(line); report && onProgress && !abortedAt)
            onProgress(estimate.update(*report, secondsSince(start)));
        else if (!line.empty())
            tail.push_back(line);
        if (tail.size() > 6)
            tail.pop_front();
    }
    const int status = engine->wait();
    if (abortedAt)
        throw EAbort();
    if (status != 0)
        throw ESimulation(failureText(status, tail));
}

} // namespace

std::size_t memoryEstimate(const SimModel& model) {
    return std::size_t(memoryEstimate(double(model.cellCount())));
}

double memoryEstimate(double cells) {
    // About 40 MB for the engine and its libraries and 170 bytes a cell, with a margin: the can
    // with 121 k cells took 57 MB, the can with its funnel at 400 k cells 103 MB.
    return 40 * megabyte + 170.0 * cells;
}

namespace {

// More than any single machine or small cluster a builder may reach has.
constexpr double largestMachine = 1024.0 * 1024 * megabyte;
// The model's solids while it is built and written: the structure, CSXCAD's objects and the text.
constexpr double bytesPerSolid = 4096;

std::string megabytes(double bytes) {
    char text[48];
    std::snprintf(text, sizeof text, "%.0f MB", bytes / megabyte);
    return text;
}

std::string cellText(double cells) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", cells);
    return text;
}

} // namespace

void refuseOversized(const ModelSize& size, ModelUse use, std::optional<std::size_t> free) {
    const double engine = memoryEstimate(size.cells);
    const double building = 40 * megabyte + bytesPerSolid * size.solids;
    const double available = free ? double(*free) : largestMachine;
    const std::string figures = "potřeboval by asi " + megabytes(engine) + " (" +
                                cellText(size.cells) + " buněk), volných je " +
                                (free ? megabytes(double(*free)) : std::string("neznámo")) + ".";
    if (use == ModelUse::Simulate && engine > available)
        throw ESimulation("Model je pro paměť tohoto počítače příliš velký: " + figures +
                          " Zvolte rychlou kvalitu nebo model spusťte jinde (--export-model).");
    if (use == ModelUse::Export && (engine > largestMachine || building > available))
        throw ESimulation("Model je příliš velký, nelze jej sestavit ani spustit: " + figures);
}

std::optional<std::size_t> availableMemory() {
    std::ifstream in("/proc/meminfo");
    std::string name;
    std::size_t kilobytes = 0;
    std::string unit;
    while (in >> name >> kilobytes >> unit)
        if (name == "MemAvailable:")
            return kilobytes * 1024;
    return std::nullopt;
}

SimResults analyseRun(const SimModel& model, const fs::path& folder, const SimSettings& settings) {
    const Trace voltage = readProbe(folder / voltageProbeName);
    const Trace current = readProbe(folder / currentProbeName);
    SimResults results;
    results.centreHz = model.centreHz;
    results.cells = model.cellCount();
    results.band =
        portResponse(voltage, current, model.port.resistance,
                     frequencyGrid(model.centreHz - model.halfBandHz,
                                   model.centreHz + model.halfBandHz, settings.frequencyPoints));
    results.match = bestMatch(results.band);
    results.s11AtCentreDb = s11At(results.band, model.centreHz);
    results.farField = farField(folder, model, settings.patternStepDeg);
    const PortSample atCentre =
        portResponse(voltage, current, model.port.resistance, {model.centreHz}).front();
    if (atCentre.acceptedPower > 0)
        results.efficiency =
            std::clamp(results.farField.radiatedPower / atCentre.acceptedPower, 0.0, 1.0);
    results.gainDbi = results.farField.directivityDbi + 10 * std::log10(results.efficiency);
    return results;
}

SimResults simulate(const SimModel& model, const SimSettings& settings,
                    const std::function<void(const Progress&)>& onProgress,
                    const std::atomic<bool>& cancel) {
    const std::string xml = modelXml(model);
    const bool caching = !settings.cacheFolder.empty();
    const ResultCache cache(settings.cacheFolder);
    const std::string key = modelKey(xml);
    if (caching) {
        removeStaleRuns(settings.cacheFolder);
        if (auto cached = cache.find(key))
            return *cached;
    }

    refuseOversized({double(model.cellCount()), double(model.solids.size())}, ModelUse::Simulate,
                    settings.memoryLimit ? settings.memoryLimit : availableMemory());

    const RunFolder folder(settings.cacheFolder);
    writeFile((folder.path() / modelFileName).string(), xml);
    const Clock::time_point start = Clock::now();
    runEngine(model, folder.path(), settings, onProgress, cancel);
    SimResults results = analyseRun(model, folder.path(), settings);
    results.seconds = secondsSince(start);
    if (caching)
        results.warning = cache.keep(key, results);
    return results;
}

} // namespace vlnokan::sim
