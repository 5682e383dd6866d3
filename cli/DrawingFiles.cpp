#include "cli/DrawingFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QSaveFile>

#include <filesystem>
#include <iostream>
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

// Writes bytes as path, replacing an older file only once the new one is complete, so a full
// disk or a size limit leaves no empty or cut-off picture behind. Empty on success, else why not.
QString replaceFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered: QSaveFile::commit would not notice a buffer that the disk refused to take.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            file.commit();
            return reason;
        }
        done += written;
    }
    return file.commit() ? QString() : file.errorString();
}

// The same in the current folder, for a folder whose name Qt cannot hold (below): a temporary
// file beside the drawing takes its place once complete.
QString replaceFileHere(const std::string& name, const QByteArray& bytes) {
    const std::string temporary = name + ".part";
    QFile file(QString::fromStdString(temporary));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    QString reason;
    for (qint64 done = 0; done < bytes.size() && reason.isEmpty();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            reason = file.errorString();
        done += written;
    }
    file.close();
    std::error_code error;
    if (reason.isEmpty())
        std::filesystem::rename(temporary, name, error);
    if (reason.isEmpty() && !error)
        return {};
    std::filesystem::remove(temporary, error);
    return reason.isEmpty() ? QString::fromStdString(error.message()) : reason;
}

// Qt holds file names as Unicode text, and a folder name that is not valid UTF-8 does not
// survive the way there and back: such a folder is entered by its bytes instead.
bool heldByQt(const std::string& folder) {
    const QByteArray bytes = QByteArray::fromStdString(folder);
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}

} // namespace

bool save(const Diagram& diagram, const std::string& folder, const std::string& name) {
    const QByteArray bytes = pngOf(diagram);
    QString reason;
    if (bytes.isEmpty())
        reason = QStringLiteral("the drawing could not be made into a PNG");
    else if (heldByQt(folder))
        reason = replaceFile(QDir(QFile::decodeName(QByteArray::fromStdString(folder)))
                                 .filePath(QString::fromStdString(name)),
                             bytes);
    else
        reason = replaceFileHere(name, bytes);
    if (reason.isEmpty())
        return true;
    std::cerr << "error: cannot write " << folder << '/' << name << ": " << reason.toStdString()
              << ".\n";
    return false;
}

// Creates the folder where needed, and enters one that Qt cannot name.
bool prepareFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error && !heldByQt(folder))
        std::filesystem::current_path(folder, error);
    if (!error)
        return true;
    std::cerr << "error: cannot create " << folder << ": " << error.message() << ".\n";
    return false;
}

} // namespace vlnokan::cli
