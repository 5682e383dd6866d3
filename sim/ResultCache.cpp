#include "sim/ResultCache.h"

#include "sim/ModelWriter.h"
#include "sim/SimFaults.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vlnokan::sim {

namespace fs = std::filesystem;

std::string modelKey(const std::string& modelXml) {
    // Two independent 64-bit FNV-1a hashes: a chance collision is out of the question for the
    // few hundred models a user simulates.
    std::uint64_t first = 0xcbf29ce484222325ULL;
    std::uint64_t second = 0x84222325cbf29ce4ULL;
    for (const unsigned char byte : modelXml) {
        first = (first ^ byte) * 0x100000001b3ULL;
        second = (second ^ byte) * 0x00000100000001b3ULL + 0x9e3779b97f4a7c15ULL;
    }
    char text[33];
    std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(first),
                  static_cast<unsigned long long>(second));
    return text;
}

fs::path defaultCacheFolder() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache == '/')
        return fs::path(cache) / "vlnokan" / "simulations";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / ".cache" / "vlnokan" / "simulations";
}

fs::path ResultCache::fileFor(const std::string& key) const {
    return m_folder / (key + ".txt");
}

std::optional<SimResults> ResultCache::find(const std::string& key) const {
    std::ifstream in(fileFor(key));
    if (!in)
        return std::nullopt;
    try {
        SimResults results = readResults(in);
        results.fromCache = true;
        return results;
    } catch (const ESimulation&) {
        return std::nullopt;
    }
}

void ResultCache::store(const std::string& key, const SimResults& results) const {
    std::ostringstream text;
    writeResults(text, results);
    writeFileAtomically(fileFor(key), text.str());
}

} // namespace vlnokan::sim
