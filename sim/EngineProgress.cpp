#include "sim/EngineProgress.h"

#include <algorithm>
#include <regex>

namespace vlnokan::sim {

std::optional<EngineReport> parseEngineReport(const std::string& line) {
    static const std::regex pattern(
        R"(Timestep:\s*(\d+)\s.*Energy:\s*~?\s*[-+0-9.eE]+\s*\(\s*(-?\s*[0-9.]+)\s*dB\))");
    std::smatch match;
    if (!std::regex_search(line, match, pattern))
        return std::nullopt;
    std::string decibels = match[2].str();
    decibels.erase(std::remove(decibels.begin(), decibels.end(), ' '), decibels.end());
    try {
        return EngineReport{std::stoul(match[1].str()), std::stod(decibels)};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

Progress ProgressEstimate::update(const EngineReport& report, double seconds) {
    Progress progress;
    progress.timestep = report.timestep;
    progress.energyDb = report.energyDb;
    m_deepestDb = std::min(m_deepestDb, report.energyDb);
    progress.share = std::clamp(m_deepestDb / m_stopDb, 0.0, 1.0);
    // The decay rate is taken from the first report that shows the pulse has gone by: the
    // first few decibels come while the pulse still feeds the antenna.
    if (!m_decayStartSeconds) {
        if (report.energyDb < -3) {
            m_decayStartSeconds = seconds;
            m_decayStartDb = report.energyDb;
        }
        return progress;
    }
    const double decayed = m_decayStartDb - report.energyDb;
    const double elapsed = seconds - *m_decayStartSeconds;
    if (decayed > 0 && elapsed > 0) {
        const double rate = decayed / elapsed; // dB per second
        progress.secondsLeft = std::max(0.0, (report.energyDb - m_stopDb) / rate);
    }
    return progress;
}

} // namespace vlnokan::sim
