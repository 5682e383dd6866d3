#pragma once

#include "core/Seam.h"

#include <QString>

class QWidget;

namespace vlnokan::simview {

// Which measured sweep the user wants to load: empty when the choice was cancelled.
class MeasurementChooser {
public:
    virtual ~MeasurementChooser() = default;
    virtual QString openFileName(QWidget* parent, const QString& caption,
                                 const QString& filter) = 0;
};

class QtMeasurementChooser final : public MeasurementChooser {
public:
    QString openFileName(QWidget* parent, const QString& caption, const QString& filter) override;
};

using MeasurementChooserSeam = Seam<MeasurementChooser, QtMeasurementChooser>;

} // namespace vlnokan::simview
