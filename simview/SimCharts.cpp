#include "simview/SimCharts.h"

#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>
#include <complex>

namespace vlnokan::simview {

namespace {

constexpr double floorDb = -40;

QLineSeries* series(const QString& name) {
    auto* line = new QLineSeries;
    line->setName(name);
    return line;
}

} // namespace

QChart* makeMatchChart(const sim::SimResults* results, const measure::Sweep* measured,
                       double centreHz) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Přizpůsobení napáječe"));
    struct Curve {
        double hz;
        double db;
        std::complex<double> z;
    };
    std::vector<std::pair<QString, std::vector<Curve>>> curves;
    if (results) {
        std::vector<Curve> points;
        for (const auto& sample : results->band)
            points.push_back({sample.hz, sample.s11Db, sample.impedance});
        curves.emplace_back(QString(), points);
    }
    if (measured) {
        std::vector<Curve> points;
        for (const auto& sample : measured->samples)
            points.push_back({sample.hz, sample.s11Db, sample.impedance});
        curves.emplace_back(QStringLiteral(" měřeno"), points);
    }
    double lowest = -10;
    double lowOhms = 0;
    double highOhms = 100;
    double lowHz = centreHz;
    double highHz = centreHz;
    std::vector<QLineSeries*> decibelSeries;
    std::vector<QLineSeries*> ohmSeries;
    for (const auto& [suffix, points] : curves) {
        auto* s11 = series(QStringLiteral("S11%1 [dB]").arg(suffix));
        auto* resistance = series(QStringLiteral("R%1 [Ω]").arg(suffix));
        auto* reactance = series(QStringLiteral("X%1 [Ω]").arg(suffix));
        for (const auto& point : points) {
            const double ghz = point.hz / 1e9;
            s11->append(ghz, point.db);
            lowest = std::min(lowest, point.db);
            lowHz = std::min(lowHz, point.hz);
            highHz = std::max(highHz, point.hz);
            // An open circuit has no finite impedance to draw.
            if (!std::isfinite(point.z.real()) || !std::isfinite(point.z.imag()))
                continue;
            resistance->append(ghz, point.z.real());
            reactance->append(ghz, point.z.imag());
            lowOhms = std::min({lowOhms, point.z.real(), point.z.imag()});
            highOhms = std::max({highOhms, point.z.real(), point.z.imag()});
        }
        // The measured curves dash-dotted, each in a darker shade of its simulated partner's
        // colour, so that they stay apart where the two agree.
        if (!suffix.isEmpty())
            for (const auto& [each, colour] :
                 {std::pair{s11, QColor(0, 70, 140)}, std::pair{resistance, QColor(75, 40, 130)},
                  std::pair{reactance, QColor(150, 50, 10)}}) {
                QPen dashed(colour);
                dashed.setStyle(Qt::DashDotLine);
                dashed.setWidthF(2);
                each->setPen(dashed);
            }
        decibelSeries.push_back(s11);
        ohmSeries.push_back(resistance);
        ohmSeries.push_back(reactance);
    }
    const double bottom = std::max(std::floor(lowest / 5) * 5, -60.0);
    auto* marker = series(QStringLiteral("f"));
    marker->append(centreHz / 1e9, bottom);
    marker->append(centreHz / 1e9, 0);
    QPen dashed = marker->pen();
    dashed.setStyle(Qt::DashLine);
    marker->setPen(dashed);
    decibelSeries.push_back(marker);
    for (QLineSeries* each : decibelSeries)
        chart->addSeries(each);
    for (QLineSeries* each : ohmSeries)
        chart->addSeries(each);

    auto* frequency = new QValueAxis;
    frequency->setTitleText(QStringLiteral("f [GHz]"));
    if (highHz > lowHz)
        frequency->setRange(lowHz / 1e9, highHz / 1e9);
    auto* decibels = new QValueAxis;
    decibels->setTitleText(QStringLiteral("S11 [dB]"));
    decibels->setRange(bottom, 0);
    decibels->setTickCount(int(-bottom / 5) + 1 <= 13 ? int(-bottom / 5) + 1 : 7);
    decibels->setLabelFormat("%.0f");
    frequency->setLabelFormat("%.2f");
    auto* ohms = new QValueAxis;
    ohms->setTitleText(QStringLiteral("Z [Ω]"));
    ohms->setRange(std::max(lowOhms, -500.0), std::min(highOhms, 500.0));
    ohms->applyNiceNumbers();
    chart->addAxis(frequency, Qt::AlignBottom);
    chart->addAxis(decibels, Qt::AlignLeft);
    chart->addAxis(ohms, Qt::AlignRight);
    for (QLineSeries* each : decibelSeries) {
        each->attachAxis(frequency);
        each->attachAxis(decibels);
    }
    for (QLineSeries* each : ohmSeries) {
        each->attachAxis(frequency);
        each->attachAxis(ohms);
    }
    return chart;
}

QPolarChart* makePatternChart(const QString& title, const std::vector<double>& thetaDeg,
                              const std::vector<double>& levelDb) {
    auto* chart = new QPolarChart;
    chart->setTitle(title);
    chart->legend()->hide();
    auto* pattern = new QLineSeries;
    // The polar chart's angle runs clockwise from the top: theta 0 (forward) at the top,
    // negative angles to the left.
    std::vector<QPointF> points;
    for (std::size_t k = 0; k < thetaDeg.size() && k < levelDb.size(); ++k) {
        const double angle = thetaDeg[k] < 0 ? thetaDeg[k] + 360 : thetaDeg[k];
        points.emplace_back(angle, std::max(levelDb[k], floorDb));
    }
    // Drawn once round in order of angle, closed at the top.
    std::stable_sort(points.begin(), points.end(),
                     [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    if (!points.empty() && points.front().x() == 0)
        points.emplace_back(360, points.front().y());
    for (const QPointF& point : points)
        pattern->append(point);
    chart->addSeries(pattern);
    auto* angle = new QValueAxis;
    angle->setRange(0, 360);
    angle->setTickCount(13);
    angle->setLabelFormat("%.0f");
    auto* level = new QValueAxis;
    level->setRange(floorDb, 0);
    level->setTickCount(5);
    level->setLabelFormat("%.0f dB");
    chart->addAxis(angle, QPolarChart::PolarOrientationAngular);
    chart->addAxis(level, QPolarChart::PolarOrientationRadial);
    pattern->attachAxis(angle);
    pattern->attachAxis(level);
    return chart;
}

} // namespace vlnokan::simview
