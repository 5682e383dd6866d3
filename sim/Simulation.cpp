#include "sim/Simulation.h"

#include "core/Faults.h"
#include "sim/ModelWriter.h"
#include "sim/ResultCache.h"
#include "sim/SimFaults.h"

#include <algorithm>
#include <chrono>
#include <cmath>
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

// A private folder for one run, removed with everything in it when the run is over.
class RunFolder final {
public:
    explicit RunFolder(const fs::path& parent) {
        std::error_code error;
        fs::create_directories(parent, error);
        std::string pattern = (parent / "run-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw ESimulation("Nelze vytvořit pracovní složku simulace v " + parent.string() + ".");
        m_path = pattern;
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
    // About 40 MB for the engine and its libraries and 170 bytes a cell, with a margin: the can
    // with 121 k cells took 57 MB, the can with its funnel at 400 k cells 103 MB.
    return std::size_t(40 * megabyte + 170.0 * double(model.cellCount()));
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
    const ResultCache cache(settings.cacheFolder);
    const std::string key = modelKey(xml);
    if (auto cached = cache.find(key))
        return *cached;

    const std::size_t needed = memoryEstimate(model);
    const auto limit = settings.memoryLimit ? settings.memoryLimit : availableMemory();
    if (limit && needed > *limit)
        throw ESimulation("Model je pro paměť tohoto počítače příliš velký: potřeboval by asi " +
                          std::to_string(std::lround(double(needed) / megabyte)) +
                          " MB, volných je " +
                          std::to_string(std::lround(double(*limit) / megabyte)) +
                          " MB. Zvolte rychlou kvalitu nebo model spusťte jinde (--export-model).");

    const RunFolder folder(settings.cacheFolder);
    writeFileAtomically(folder.path() / modelFileName, xml);
    const Clock::time_point start = Clock::now();
    runEngine(model, folder.path(), settings, onProgress, cancel);
    SimResults results = analyseRun(model, folder.path(), settings);
    results.seconds = secondsSince(start);
    cache.store(key, results);
    return results;
}

} // namespace vlnokan::sim
