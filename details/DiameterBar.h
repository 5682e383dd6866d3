#pragma once

#include "calc/Waveguide.h"

#include <QWidget>

#include <optional>

namespace vlnokan {

// A scale of can diameters with the single-mode window of the frequency (and of the band) laid
// on it and the can marked: a builder sees at a glance whether the can fits and by how much.
class DiameterBar final : public QWidget {
    Q_OBJECT

public:
    explicit DiameterBar(QWidget* parent = nullptr);

    void setWindows(const waveguide::DiameterWindow& frequency,
                    const std::optional<waveguide::DiameterWindow>& band, int diameter);
    void clear();

    QSize sizeHint() const override { return {460, 64}; }
    QSize minimumSizeHint() const override { return {240, 64}; }

    // The diameters at the bar's ends.
    double lowest() const { return m_lowest; }
    double highest() const { return m_highest; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double xOf(double diameter) const;

    std::optional<waveguide::DiameterWindow> m_frequency;
    std::optional<waveguide::DiameterWindow> m_band;
    int m_diameter = 0;
    double m_lowest = 0;
    double m_highest = 1;
};

} // namespace vlnokan
