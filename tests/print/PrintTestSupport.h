#pragma once

// The private CUPS scheduler with its cups-pdf queue, and reading back what it printed.
#include "diagrams/Diagram.h"

#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTest>

#include <algorithm>

namespace vlnokan::test {

// The private scheduler lives in the build folder; the script sets it up and stops it.
inline const QString schedulerDir = QStringLiteral(VLNOKAN_PRINT_TEST_DIR "/cups");
inline const QString script = QStringLiteral(VLNOKAN_PRINT_SCRIPT);
inline const QString pdfDir = schedulerDir + "/pdf";

inline int runScript(const QString& action) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start("bash", {script, action, schedulerDir});
    if (!process.waitForFinished(60000)) {
        process.kill();
        return -1;
    }
    return process.exitCode();
}

// The tests see only the private scheduler and no user's own printer choice; 77 means the queue
// cannot be made here (not root).
inline int startPrivateScheduler() {
    QDir(VLNOKAN_PRINT_TEST_DIR).mkpath("home");
    QDir(VLNOKAN_PRINT_TEST_DIR).mkpath("runtime");
    QFile::setPermissions(VLNOKAN_PRINT_TEST_DIR "/runtime",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QByteArray(VLNOKAN_PRINT_TEST_DIR "/runtime"));
    qputenv("HOME", QByteArray(VLNOKAN_PRINT_TEST_DIR "/home"));
    qputenv("CUPS_SERVER", QFile::encodeName(schedulerDir + "/cups.sock"));
    return runScript("start");
}

inline QStringList pdfFiles() {
    return QDir(pdfDir).entryList({"*.pdf"}, QDir::Files, QDir::Time | QDir::Reversed);
}

inline QString pdfInfo(const QString& file, const QString& key);

// Waits until count PDF files are there and the newest is complete: cups-pdf may still be
// writing it when it appears, the longer the busier the machine, so it counts as complete once
// its size holds still and its pages can be read.
inline bool waitForPdfs(int count) {
    QElapsedTimer clock;
    clock.start();
    qint64 lastSize = -1;
    while (clock.elapsed() < 60000) {
        const QStringList files = pdfFiles();
        if (files.size() >= count) {
            const QString newest = pdfDir + '/' + files.last();
            const qint64 size = QFileInfo(newest).size();
            if (size > 0 && size == lastSize && !pdfInfo(newest, "Pages").isEmpty())
                return true;
            lastSize = size;
        }
        QTest::qWait(300);
    }
    return false;
}

inline QString pdfInfo(const QString& file, const QString& key) {
    QProcess info;
    info.start("pdfinfo", {file});
    info.waitForFinished(30000);
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n'))
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed();
    return {};
}

// The top-left part of the page at the printer's resolution, without smoothing.
inline QImage rasterise(const QString& file, int dpi, QSize part) {
    const QString prefix = QDir(VLNOKAN_PRINT_TEST_DIR).filePath("page");
    QProcess raster;
    raster.start("pdftoppm", {"-r", QString::number(dpi), "-aa", "no", "-aaVector", "no", "-x", "0",
                              "-y", "0", "-W", QString::number(part.width()), "-H",
                              QString::number(part.height()), "-singlefile", "-png", file, prefix});
    raster.waitForFinished(120000);
    if (!raster.waitForFinished(0) && raster.state() != QProcess::NotRunning)
        raster.kill();
    return QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
}

// The first difference from the picture printed in sx × sy blocks at origin: the middle of each
// block has the pixel's colour, or stays paper white where the pixel is white, and nothing is
// printed outside the blocks. The page description rounds block edges to the nearest dot, so the
// edges may move by one dot. Empty when none.
inline QString firstDifference(const Diagram& picture, const QImage& page, QPoint origin, int sx,
                               int sy) {
    const QRgb white = qRgb(255, 255, 255);
    const QRgb transparent = toQRgb(picture.transparentColour());
    const QImage pixels = toImage(picture);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QPoint middle = origin + QPoint(x * sx + sx / 2, y * sy + sy / 2);
            const QRgb pixel = pixels.pixel(x, y);
            const QRgb expected = pixel == transparent ? white : pixel;
            if (page.pixel(middle) != expected)
                return QStringLiteral("pixel (%1, %2) printed %3, not %4")
                    .arg(x)
                    .arg(y)
                    .arg(QColor(page.pixel(middle)).name(), QColor(expected).name());
        }
    const QRect printed(origin - QPoint(1, 1),
                        QSize(picture.width() * sx + 2, picture.height() * sy + 2));
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (!printed.contains(x, y) && page.pixel(x, y) != white)
                return QStringLiteral("dot (%1, %2) outside the picture").arg(x).arg(y);
    return {};
}

} // namespace vlnokan::test
