#pragma once

#include "core/Faults.h"
#include "pattern/Tiling.h"

#include <QString>

namespace vlnokan::templ {

// A template file that could not be written; nothing of it was left behind.
class ETemplateFile final : public Exception {
public:
    ETemplateFile(const QString& path, const QString& reason);
    const QString& path() const { return m_path; }
    const QString& reason() const { return m_reason; }

private:
    QString m_path;
    QString m_reason;
};

enum class FileFormat { Pdf, Svg, Dxf };

// The format named by the file's extension (.pdf, .svg, .dxf, case ignored); nullopt otherwise.
std::optional<FileFormat> formatOf(const QString& path);

// Writes the template to path whole or not at all (through a save file). The PDF is tiled as the
// tiling lays it; SVG and DXF take the whole pattern as developed. Throws ETemplateFile.
void saveTemplate(const QString& path, FileFormat format, const pattern::Tiling& tiling);

// SVG or DXF of the pattern alone: no paper is involved, however large the funnel.
void savePattern(const QString& path, FileFormat format, const pattern::Pattern& pattern);

} // namespace vlnokan::templ
