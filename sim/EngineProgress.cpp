#include "sim/EngineProgress.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace vlnokan::sim {

std::optional<EngineReport> parseEngineReport(const std::string& line) {
    const auto step = line.find("Timestep:");
    const auto energy = line.find("Energy:", step == std::string::npos ? 0 : step);
    if (step == std::string::npos || energy == std::string::npos)
        return std::nullopt;
    // "(-14.15dB)", or "(- 0.00dB)" before the pulse has peaked.
    const auto open = line.find('(', energy);
    const auto close = line.find("dB)", open == std::string::npos ? energy : open);
    if (open == std::string::npos || close == std::string::npos)
        return std::nullopt;
    std::string decibels = line.substr(open + 1, close - open - 1);
    decibels.erase(std::remove(decibels.begin(), decibels.end(), ' '), decibels.end());
    const char* digits = line.c_str() + step + std::strlen("Timestep:");
    char* end = nullptr;
    errno = 0;
    const unsigned long timestep = std::strtoul(digits, &end, 10);
    std::size_t used = 0;
    double level = 0;
    try {
        level = std::stod(decibels, &used);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (end == digits || errno != 0 || used != decibels.size() || !std::isfinite(level))
        return std::nullopt;
    return EngineReport{timestep, level};
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
