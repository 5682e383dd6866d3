#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Stored reference images of drawn figures, in tests/diagrams/reference. Run a test with
// VLNOKAN_WRITE_REFERENCES=1 to store what it draws instead of comparing, and look at every
// stored image before committing it: it is the expected value from then on.
namespace reference {

// Where image differs from the stored reference called name, as text for QCOMPARE; empty when
// every pixel matches.
inline QString difference(const QImage& image, const QString& name) {
    const QString path = QStringLiteral(VLNOKAN_REFERENCE_DIR "/%1.png").arg(name);
    const QImage actual = image.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("VLNOKAN_WRITE_REFERENCES") == 1) {
        actual.save(path);
        return {};
    }
    const QImage stored(path);
    if (stored.isNull())
        return QStringLiteral("no reference image ") + path;
    const QImage expected = stored.convertToFormat(QImage::Format_RGB32);
    if (expected.size() != actual.size())
        return QStringLiteral("size %1 x %2, reference %3 x %4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("(%1, %2) is %3, reference %4")
                    .arg(x)
                    .arg(y)
                    .arg(QColor(actual.pixel(x, y)).name(), QColor(expected.pixel(x, y)).name());
    return {};
}

} // namespace reference
