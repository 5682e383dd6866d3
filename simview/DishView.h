#pragma once

#include "feed/FeedAdvice.h"
#include "sim/SimResults.h"

#include <QWidget>

#include <optional>

class QChartView;
class QDoubleSpinBox;
class QLabel;

namespace vlnokan::simview {

// The simulated can as a dish feed: the builder's f/D, the aperture efficiency with its spillover
// and taper parts over f/D 0.25 to 1.0 (chart), the best f/D, the phase centre and a sentence of
// advice. Changing the f/D works the figures out again from the same results.
class DishView final : public QWidget {
    Q_OBJECT

public:
    explicit DishView(const sim::SimResults& results, QWidget* parent = nullptr);

    // False where the results carry no far-field phase: there is nothing to show.
    bool hasAnswer() const { return m_answer.has_value(); }
    QDoubleSpinBox* fOverDBox() const { return m_fOverD; }
    QLabel* figuresLabel() const { return m_figures; }
    QChartView* chartView() const { return m_chart; }

private:
    void update(double fOverD);

    sim::SimResults m_results;
    std::optional<feed::DishAnswer> m_answer;
    QDoubleSpinBox* m_fOverD = nullptr;
    QLabel* m_figures = nullptr;
    QChartView* m_chart = nullptr;
};

} // namespace vlnokan::simview
