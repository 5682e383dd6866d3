#pragma once

#include "calc/BandSweep.h"

#include <QWidget>

#include <cstdint>
#include <optional>

class QChartView;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace vlnokan {

// The band the builder uses: a preset or a range of their own, the chart of the probe's place
// (Lg/4) across it for this can, and how far the place moves.
class SweepSection final : public QWidget {
    Q_OBJECT

public:
    explicit SweepSection(QWidget* parent = nullptr);

    // Sweeps the chosen band for a can of this diameter; 0: no can to sweep.
    void setDiameter(std::int32_t diameter);
    // The same for a design: a frequency other than the last one's chooses the band that covers
    // it (or a range around it); the same frequency keeps the band the user chose.
    void setDesign(Real frequency, std::int32_t diameter);
    // The chosen band, none while a range of one's own is not a band.
    const std::optional<sweep::Band>& band() const { return m_band; }
    const std::optional<sweep::Result>& result() const { return m_result; }

signals:
    // Another band was chosen or the sweep was redone.
    void swept();

private:
    void chooseBand();
    void readBand();
    void chooseBandFor(Real frequency);
    void redo();
    void plot();

    QComboBox* m_choice = nullptr;
    QDoubleSpinBox* m_from = nullptr;
    QDoubleSpinBox* m_to = nullptr;
    QDoubleSpinBox* m_step = nullptr;
    QChartView* m_chart = nullptr;
    QLineSeries* m_line = nullptr;
    QScatterSeries* m_points = nullptr;
    QValueAxis* m_frequencyAxis = nullptr;
    QValueAxis* m_placeAxis = nullptr;
    QLabel* m_summary = nullptr;
    std::optional<sweep::Band> m_band;
    std::optional<sweep::Result> m_result;
    std::int32_t m_diameter = 0;
    std::optional<Real> m_frequency;
};

} // namespace vlnokan
