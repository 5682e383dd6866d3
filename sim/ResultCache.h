#pragma once

#include "sim/SimResults.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vlnokan::sim {

// A fingerprint of a model's text: the same model always gives the same key, a changed
// dimension, mesh line or setting another.
std::string modelKey(const std::string& modelXml);

// The folder for cached results: $XDG_CACHE_HOME/vlnokan/simulations, or
// ~/.cache/vlnokan/simulations; empty (no cache) when neither tells where the user's own files
// go: a shared folder would serve results that another account planted.
std::filesystem::path defaultCacheFolder();

// Removes the run folders (run-XXXXXX) in folder that a process of this machine left behind
// when it was killed: those whose process is gone, and those without an owner older than a day.
void removeStaleRuns(const std::filesystem::path& folder);

// Marks a run folder as this process's, for removeStaleRuns.
void claimRunFolder(const std::filesystem::path& runFolder);

// Results of finished simulations, one file per model. A file is written whole or not at all;
// one that cannot be read counts as missing.
class ResultCache final {
public:
    explicit ResultCache(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    std::optional<SimResults> find(const std::string& key) const;
    // Throws EFileWrite.
    void store(const std::string& key, const SimResults& results) const;
    // Stores the results of a finished run, which are good whether or not they can be kept:
    // empty, or a warning that says they were not.
    std::string keep(const std::string& key, const SimResults& results) const;
    std::filesystem::path fileFor(const std::string& key) const;

private:
    std::filesystem::path m_folder;
};

} // namespace vlnokan::sim
