#include "template/TemplateFiles.h"

#include "template/TemplateDocument.h"

#include <QFileInfo>
#include <QSaveFile>

#include <functional>

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

namespace {

void writeWhole(const QString& path, const std::function<bool(QSaveFile&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ETemplateFile(path, file.errorString());
    if (!write(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw ETemplateFile(path, reason.isEmpty() ? QStringLiteral("zápis selhal") : reason);
    }
    if (!file.commit())
        throw ETemplateFile(path, file.errorString());
}

} // namespace

void savePattern(const QString& path, FileFormat format, const pattern::Pattern& pattern) {
    // The pattern as developed, not turned for the paper.
    const pattern::Pattern natural = pattern.rotatedBy(-pattern.rotation());
    writeWhole(path, [&](QSaveFile& file) {
        const QByteArray bytes = format == FileFormat::Svg ? svgOf(natural) : dxfOf(natural);
        return !bytes.isEmpty() && file.write(bytes) == bytes.size();
    });
}

void saveTemplate(const QString& path, FileFormat format, const pattern::Tiling& tiling) {
    if (format != FileFormat::Pdf) {
        savePattern(path, format, tiling.pattern());
        return;
    }
    writeWhole(path, [&](QSaveFile& file) { return writePdf(file, tiling); });
}

} // namespace vlnokan::templ
