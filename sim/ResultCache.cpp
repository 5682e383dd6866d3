#include "sim/ResultCache.h"

#include "core/FileWriter.h"
#include "sim/SimFaults.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

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
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return fs::path(home) / ".cache" / "vlnokan" / "simulations";
    return {};
}

namespace {

constexpr const char* ownerFileName = "owner";

std::string thisHost() {
    char name[256] = {};
    gethostname(name, sizeof name - 1);
    return name;
}

bool processGone(long pid) {
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

bool stale(const fs::path& run) {
    std::ifstream owner(run / ownerFileName);
    std::string host;
    long pid = 0;
    if (owner >> host >> pid)
        return host == thisHost() && processGone(pid);
    // A folder whose owner never wrote its name: left by a crash right after it was made.
    std::error_code error;
    const auto changed = fs::last_write_time(run, error);
    return !error && fs::file_time_type::clock::now() - changed > std::chrono::hours(24);
}

} // namespace

std::string ResultCache::keep(const std::string& key, const SimResults& results) const {
    try {
        store(key, results);
        return {};
    } catch (const EFileWrite& fault) {
        return "Výsledek simulace nelze uložit do mezipaměti (" + fault.path() + ": " +
               fault.reason() + "); příště se bude simulovat znovu.";
    }
}

void claimRunFolder(const fs::path& runFolder) {
    std::ofstream(runFolder / ownerFileName) << thisHost() << ' ' << getpid() << '\n';
}

void removeStaleRuns(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.rfind("run-", 0) == 0 && entry->is_directory(error) && !entry->is_symlink(error) &&
            stale(entry->path())) {
            std::error_code ignored;
            fs::remove_all(entry->path(), ignored);
        }
    }
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
    std::error_code error;
    fs::create_directories(m_folder, error);
    writeFile(fileFor(key).string(), text.str());
}

} // namespace vlnokan::sim
