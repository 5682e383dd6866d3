#pragma once

#include <optional>
#include <string>

namespace vlnokan::sim {

// What the engine reports every few seconds: the time step it has reached and how far the
// field energy has decayed below its peak.
struct EngineReport {
    unsigned long timestep = 0;
    double energyDb = 0;
};

// Reads a report from one line of the engine's output, e.g.
// "[@ 4s] Timestep: 1180 || Speed: 22.4 MC/s (3.392e-03 s/TS) || Energy: ~7.00e-24 (-88.71dB)";
// nullopt for every other line.
std::optional<EngineReport> parseEngineReport(const std::string& line);

// How far a run is and how long it still takes. The run ends when the energy has decayed to
// the stop level; after the pulse has passed it decays at a roughly steady rate in dB.
struct Progress {
    double share = 0;                  // 0 .. 1
    std::optional<double> secondsLeft; // unknown until the decay has begun
    unsigned long timestep = 0;
    double energyDb = 0;
};

class ProgressEstimate final {
public:
    explicit ProgressEstimate(double stopDb) : m_stopDb(stopDb) {}

    // A report that arrived `seconds` after the start.
    Progress update(const EngineReport& report, double seconds);

private:
    double m_stopDb;
    double m_deepestDb = 0;
    std::optional<double> m_decayStartSeconds;
    double m_decayStartDb = 0;
};

} // namespace vlnokan::sim
