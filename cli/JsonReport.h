#pragma once

#include "calc/BandSweep.h"
#include "calc/CalculationView.h"
#include "calc/Details.h"

#include <nlohmann/json.hpp>

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vlnokan::cli {

using Json = nlohmann::ordered_json;

// The one JSON document --json prints: named sections in the order they were set. A feature
// adds its own section ("simulation", ...) beside the calculation's.
class JsonDocument final {
public:
    // Sets a section, replacing one of the same name in its place.
    void setSection(const std::string& name, Json value);
    const Json& section(const std::string& name) const;
    std::string text() const; // indented, ending with a line feed

private:
    Json m_root = Json::object();
};

// The Calculate command's effects collected for the document instead of printed.
class JsonView final : public CalculationView {
public:
    explicit JsonView(std::array<std::string, 4> entries);

    void blankAllSlots() override {}
    std::string entryText(Entry entry) const override;
    void setEntryText(Entry entry, const std::string& text) override;
    void showNotice(Notice notice, const std::string& text) override;
    void setField(Field, std::int64_t) override {}
    void writeSlot(Slot, const std::string&) override {}
    void figureKnown(const std::string& name, const std::string& value) override;
    void designKnown(const Design& design) override { m_design = design; }

    const Design& design() const { return m_design; }
    Json entries() const; // {"given": {...}, "final": {...}}
    Json notices() const; // [{"notice": "C1", "text": "..."}]
    Json figures() const; // {"Lo": 125, ..., "phi": 123.23}

private:
    std::array<std::string, 4> m_given;
    std::array<std::string, 4> m_entries;
    Json m_notices = Json::array();
    Json m_figures = Json::object();
    Design m_design;
};

Json detailsJson(const details::Details& details);
Json sweepJson(const sweep::Band& band, const sweep::Result& result, std::int32_t diameter);

} // namespace vlnokan::cli
