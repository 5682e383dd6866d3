#pragma once

#include "core/Faults.h"
#include "pattern/Tiling.h"

#include <QString>

#include <string>

namespace vlnokan::templ {

// A template file that could not be written; nothing of it was left behind, an older file of
// that name is as it was.
class ETemplateFile final : public Exception {
public:
    // path: the file's name as the operating system's bytes; reason: why, as the system says it.
    ETemplateFile(const std::string& path, const std::string& reason);
    const std::string& path() const { return m_path; }
    const std::string& reason() const { return m_reason; }

private:
    std::string m_path;
    std::string m_reason;
};

enum class FileFormat { Pdf, Svg, Dxf };

// The format named by the file's extension (.pdf, .svg, .dxf, case ignored); nullopt otherwise.
std::optional<FileFormat> formatOf(const QString& path);

// Writes the template to path whole or not at all. The PDF is tiled as the tiling lays it; SVG
// and DXF take the whole pattern as developed. Throws ETemplateFile.
void saveTemplate(const QString& path, FileFormat format, const pattern::Tiling& tiling);

// SVG or DXF of the pattern alone: no paper is involved, however large the funnel.
void savePattern(const QString& path, FileFormat format, const pattern::Pattern& pattern);

// The same for a file named by bytes that need not be text in any encoding.
void saveTemplate(const std::string& path, FileFormat format, const pattern::Tiling& tiling);
void savePattern(const std::string& path, FileFormat format, const pattern::Pattern& pattern);

} // namespace vlnokan::templ
