#include "cli/CliView.h"

#include <utility>

namespace vlnokan::cli {

CliView::CliView(std::array<std::string, 4> entries, std::ostream& out)
    : m_entries(std::move(entries)), m_out(out) {}

std::string CliView::entryText(Entry entry) const {
    return m_entries[static_cast<std::size_t>(entry)];
}

void CliView::setEntryText(Entry entry, const std::string& text) {
    m_entries[static_cast<std::size_t>(entry)] = text;
}

void CliView::showNotice(Notice notice, const std::string&) {
    m_out << "notice " << noticeLabel(notice) << std::endl;
}

void CliView::figureKnown(const std::string& name, const std::string& value) {
    m_out << name << " = " << value << std::endl;
}

} // namespace vlnokan::cli
