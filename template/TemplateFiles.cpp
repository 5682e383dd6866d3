#include "template/TemplateFiles.h"

#include "core/FileWriter.h"
#include "template/TemplateDocument.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace vlnokan::templ {

ETemplateFile::ETemplateFile(const std::string& path, const std::string& reason)
    : Exception(QStringLiteral("Šablonu nelze uložit do %1: %2")
                    .arg(QFile::decodeName(QByteArray::fromStdString(path)),
                         QString::fromLocal8Bit(reason.c_str()))
                    .toStdString()),
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

void writeWhole(const std::string& path, const QByteArray& bytes) {
    if (bytes.isEmpty())
        throw ETemplateFile(path, "the template could not be made");
    try {
        writeFile(path, std::string_view(bytes.constData(), std::size_t(bytes.size())));
    } catch (const EFileWrite& fault) {
        throw ETemplateFile(path, fault.reason());
    }
}

std::string nameBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

void savePattern(const std::string& path, FileFormat format, const pattern::Pattern& pattern) {
    // The pattern as developed, not turned for the paper.
    const pattern::Pattern natural = pattern.rotatedBy(-pattern.rotation());
    writeWhole(path, format == FileFormat::Svg ? svgOf(natural) : dxfOf(natural));
}

void saveTemplate(const std::string& path, FileFormat format, const pattern::Tiling& tiling) {
    if (format != FileFormat::Pdf) {
        savePattern(path, format, tiling.pattern());
        return;
    }
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    if (!writePdf(buffer, tiling))
        pdf.clear();
    buffer.close();
    writeWhole(path, pdf);
}

void savePattern(const QString& path, FileFormat format, const pattern::Pattern& pattern) {
    savePattern(nameBytes(path), format, pattern);
}

void saveTemplate(const QString& path, FileFormat format, const pattern::Tiling& tiling) {
    saveTemplate(nameBytes(path), format, tiling);
}

} // namespace vlnokan::templ
