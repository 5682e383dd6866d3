#include "simview/DishView.h"

#include "sim/DishFeed.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <cmath>

namespace vlnokan::simview {

namespace {

QString share(double value) {
    return QLocale().toString(value, 'f', 2);
}

QChart* makeDishChart(const feed::DishAnswer& answer) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Účinnost ozáření paraboly podle f/D"));
    auto* fOverD = new QValueAxis;
    fOverD->setRange(0.25, 1.0);
    fOverD->setTitleText(QStringLiteral("f/D"));
    auto* efficiency = new QValueAxis;
    efficiency->setRange(0, 1);
    chart->addAxis(fOverD, Qt::AlignBottom);
    chart->addAxis(efficiency, Qt::AlignLeft);
    const auto add = [&](const QString& name, double feed::DishEfficiency::*part) {
        auto* series = new QLineSeries;
        series->setName(name);
        for (const auto& point : answer.curve)
            series->append(point.fOverD, point.*part);
        chart->addSeries(series);
        series->attachAxis(fOverD);
        series->attachAxis(efficiency);
    };
    add(QStringLiteral("celková"), &feed::DishEfficiency::aperture);
    add(QStringLiteral("přesah (spillover)"), &feed::DishEfficiency::spillover);
    add(QStringLiteral("rozložení (taper)"), &feed::DishEfficiency::taper);
    // The builder's f/D, where it lies on the chart.
    if (answer.yours.fOverD >= 0.25 && answer.yours.fOverD <= 1.0) {
        auto* yours = new QLineSeries;
        yours->setName(QStringLiteral("vaše f/D"));
        yours->append(answer.yours.fOverD, 0);
        yours->append(answer.yours.fOverD, 1);
        chart->addSeries(yours);
        yours->attachAxis(fOverD);
        yours->attachAxis(efficiency);
    }
    return chart;
}

} // namespace

DishView::DishView(const sim::SimResults& results, QWidget* parent)
    : QWidget(parent), m_results(results) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Parabola f/D:"), this));
    m_fOverD = new QDoubleSpinBox(this);
    m_fOverD->setRange(0.2, 2.0);
    m_fOverD->setDecimals(2);
    m_fOverD->setSingleStep(0.01);
    m_fOverD->setValue(0.4);
    row->addWidget(m_fOverD);
    row->addStretch(1);
    layout->addLayout(row);
    m_figures = new QLabel(this);
    m_figures->setWordWrap(true);
    m_figures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_figures);
    m_chart = new QChartView(this);
    m_chart->setMinimumHeight(240);
    layout->addWidget(m_chart);
    update(m_fOverD->value());
    connect(m_fOverD, &QDoubleSpinBox::valueChanged, this, &DishView::update);
}

void DishView::update(double fOverD) {
    m_answer = sim::dishAnswer(m_results, fOverD);
    if (!m_answer) {
        m_figures->setText(
            QStringLiteral("Výsledek simulace nemá fázi vyzařování, ozáření paraboly nelze "
                           "spočítat."));
        return;
    }
    const auto& best = m_answer->best;
    const auto& yours = m_answer->yours;
    const auto& centre = m_answer->centre;
    const QString where = centre.offsetMm < 0 ? QStringLiteral("uvnitř plechovky")
                                              : QStringLiteral("před plechovkou");
    m_figures->setText(
        QStringLiteral("Nejlepší f/D %1 (účinnost %2). Při f/D %3: účinnost %4 "
                       "(přesah %5, rozložení %6, fáze %7, křížová polarizace %8).\n"
                       "Fázový střed (ohnisko paraboly): %9 mm %10 od ústí plechovky, fáze "
                       "v rozmezí %11° do %12° od osy.\n")
            .arg(share(best.fOverD), share(best.aperture), share(yours.fOverD),
                 share(yours.aperture), share(yours.spillover), share(yours.taper),
                 share(yours.phase), share(yours.crossPolar),
                 QLocale().toString(std::abs(centre.offsetMm), 'f', 1))
            .arg(where, QLocale().toString(centre.flatnessDeg, 'f', 0),
                 QLocale().toString(centre.beamDeg, 'f', 0)) +
        QString::fromStdString(feed::builderSentence(*m_answer, feed::Language::Czech)));
    QChart* old = m_chart->chart();
    m_chart->setChart(makeDishChart(*m_answer));
    delete old;
}

} // namespace vlnokan::simview
