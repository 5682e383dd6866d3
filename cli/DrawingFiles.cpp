#include "cli/DrawingFiles.h"

#include "core/FileWriter.h"

#include <QBuffer>
#include <QImageWriter>

#include <filesystem>
#include <system_error>

namespace vlnokan::cli {

namespace {

// The drawing as a PNG file's bytes; empty when it cannot be encoded.
QByteArray pngOf(const Diagram& diagram) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "PNG").write(indexedImage(diagram)))
        png.clear();
    return png;
}

} // namespace

std::string save(const Diagram& diagram, const std::string& folder, const std::string& name) {
    const QByteArray bytes = pngOf(diagram);
    const std::string path = folder + '/' + name;
    try {
        if (bytes.isEmpty())
            throw EFileWrite(path, "the drawing could not be made into a PNG");
        // The folder's bytes as given, whatever their encoding.
        writeFile(path, std::string_view(bytes.constData(), std::size_t(bytes.size())));
        return {};
    } catch (const EFileWrite& fault) {
        return fault.message();
    }
}

std::string prepareFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return error ? "cannot create " + folder + ": " + error.message() + "." : std::string();
}

} // namespace vlnokan::cli
