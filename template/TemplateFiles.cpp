#include "template/TemplateFiles.h"

#include "template/TemplateDocument.h"

#include <QFileInfo>
#include <QSaveFile>

namespace vlnokan::templ {

ETemplateFile::ETemplateFile(const QString& path, const QString& reason)
    : Exception(QStringLiteral("Šablonu nelze uložit do %1: %2").arg(path, reason).toStdString()),
      m_path(path), m_reason(reason) {}

std::optional<FileFormat> formatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return FileFormat::Pdf;
    if (suffix == QLatin1String("svg"))
        return FileFormat::Svg;
    if (suffix == QLatin1String("dxf"))
        return FileFormat::Dxf;
    return std::nullopt;
}

void saveTemplate(const QString& path, FileFormat format, const pattern::Tiling& tiling) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ETemplateFile(path, file.errorString());
    // SVG and DXF carry the pattern as developed, not turned for the paper.
    const pattern::Pattern natural = tiling.pattern().rotatedBy(-tiling.pattern().rotation());
    bool written = false;
    switch (format) {
    case FileFormat::Pdf:
        written = writePdf(file, tiling);
        break;
    case FileFormat::Svg: {
        const QByteArray svg = svgOf(natural);
        written = file.write(svg) == svg.size();
        break;
    }
    case FileFormat::Dxf: {
        const QByteArray dxf = dxfOf(natural);
        written = !dxf.isEmpty() && file.write(dxf) == dxf.size();
        break;
    }
    }
    if (!written) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw ETemplateFile(path, reason.isEmpty() ? QStringLiteral("zápis selhal") : reason);
    }
    if (!file.commit())
        throw ETemplateFile(path, file.errorString());
}

} // namespace vlnokan::templ
