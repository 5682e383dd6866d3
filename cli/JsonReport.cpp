#include "cli/JsonReport.h"

#include "cli/DetailsText.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace vlnokan::cli {

namespace {

constexpr std::array entryNames{"frequency", "diameter", "angle", "mouth"};

Json number(const std::optional<Real>& value) {
    return value ? Json(double(*value)) : Json(nullptr);
}

Json window(const waveguide::DiameterWindow& window) {
    return {{"smallest", double(window.smallest)},
            {"largest", double(window.largest)},
            {"empty", window.empty()}};
}

// A figure as the calculator printed it, as a number: whole millimetres, or the sector angle
// with the locale's decimal separator.
Json figure(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    const char* end = text.data() + text.size();
    long long whole = 0;
    if (auto [stop, error] = std::from_chars(text.data(), end, whole);
        error == std::errc() && stop == end)
        return whole;
    double real = 0;
    if (auto [stop, error] = std::from_chars(text.data(), end, real);
        error == std::errc() && stop == end)
        return real;
    return text;
}

} // namespace

void JsonDocument::setSection(const std::string& name, Json value) {
    m_root[name] = std::move(value);
}

const Json& JsonDocument::section(const std::string& name) const {
    return m_root.at(name);
}

std::string JsonDocument::text() const {
    // An entry is any byte string the shell passed; what is not UTF-8 becomes U+FFFD rather
    // than ending the program.
    return m_root.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

JsonView::JsonView(std::array<std::string, 4> entries) : m_given(entries), m_entries(entries) {}

std::string JsonView::entryText(Entry entry) const {
    return m_entries[static_cast<std::size_t>(entry)];
}

void JsonView::setEntryText(Entry entry, const std::string& text) {
    m_entries[static_cast<std::size_t>(entry)] = text;
}

void JsonView::showNotice(Notice notice, const std::string& text) {
    m_notices.push_back({{"notice", noticeLabel(notice)}, {"text", text}});
}

void JsonView::figureKnown(const std::string& name, const std::string& value) {
    m_figures[name] = figure(value);
}

Json JsonView::entries() const {
    Json given = Json::object();
    Json final = Json::object();
    for (std::size_t i = 0; i < entryNames.size(); ++i) {
        given[entryNames[i]] = m_given[i];
        final[entryNames[i]] = m_entries[i];
    }
    return {{"given", given}, {"final", final}};
}

Json JsonView::notices() const {
    return m_notices;
}

Json JsonView::figures() const {
    return m_figures;
}

Json detailsJson(const details::Details& d) {
    if (!d.unavailable.empty())
        return {{"available", false}, {"reason", d.unavailable}};
    Json modes = Json::array();
    Json carried = Json::array();
    for (const auto& row : d.modes) {
        modes.push_back({{"name", row.mode.name()},
                         {"zero", double(row.mode.p)},
                         {"cutoffWavelength", double(row.cutoffWavelength)},
                         {"cutoffFrequency", double(row.cutoffFrequency)},
                         {"propagates", row.propagates}});
        if (row.propagates)
            carried.push_back(row.mode.name());
    }
    Json result = {
        {"available", true},
        {"frequency", double(d.frequency)},
        {"diameter", d.diameter},
        {"fine",
         {{"Lo", double(d.fine.freeSpace)},
          {"Lg", number(d.fine.guide)},
          {"Lo/4", double(d.fine.probeLength)},
          {"Lg/4", number(d.fine.probePlace())},
          {"3/4 Lg", number(d.fine.canLength())}}},
        {"modes", modes},
        {"propagating", carried},
        {"modesBeyondTable", d.modesCut},
        {"singleModeWindow", window(d.window)},
        {"tooWide", d.tooWide},
        {"warning", d.tooWide ? Json(details::tooWideWarning(d.window, ".")) : Json(nullptr)},
        {"pattern", nullptr},
        {"horn", nullptr},
    };
    if (d.funnel) {
        const horn::ExactPattern& p = d.funnel->pattern;
        const horn::Estimate& e = d.funnel->estimate;
        result["pattern"] = {{"R", double(p.R)}, {"r", double(p.r)}, {"phi", double(p.phi)}};
        result["horn"] = {{"s", double(e.s)},
                          {"loss", number(e.loss)},
                          {"directivity", number(e.directivity)},
                          {"optimumMouth", double(e.optimumMouth)},
                          {"note", hornNote}};
    }
    return result;
}

Json sweepJson(const sweep::Band& band, const sweep::Result& result, std::int32_t diameter) {
    Json rows = Json::array();
    for (const sweep::Row& row : result.rows)
        rows.push_back({{"frequency", double(row.frequency)},
                        {"Lo", double(row.freeSpace)},
                        {"Lg", number(row.guide)},
                        {"Lg/4", number(row.probePlace())},
                        {"3/4 Lg", number(row.canLength())}});
    return {{"band", band.key},
            {"title", band.title},
            {"diameter", diameter},
            {"rows", rows},
            {"spread", number(result.spread)},
            {"centre", double(result.centre)},
            {"centreLg/4", number(result.centrePlace)},
            {"allPropagate", result.allPropagate},
            {"singleModeWindow", window(result.window)}};
}

} // namespace vlnokan::cli
