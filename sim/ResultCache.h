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
// ~/.cache/vlnokan/simulations.
std::filesystem::path defaultCacheFolder();

// Results of finished simulations, one file per model. A file is written whole or not at all;
// one that cannot be read counts as missing.
class ResultCache final {
public:
    explicit ResultCache(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    std::optional<SimResults> find(const std::string& key) const;
    void store(const std::string& key, const SimResults& results) const;
    std::filesystem::path fileFor(const std::string& key) const;

private:
    std::filesystem::path m_folder;
};

} // namespace vlnokan::sim
