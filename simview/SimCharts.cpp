#include "simview/SimCharts.h"

#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

namespace vlnokan::simview {

namespace {

constexpr double floorDb = -40;

QLineSeries* series(const QString& name) {
    auto* line = new QLineSeries;
    line->setName(name);
    return line;
}

} // namespace

QChart* makeMatchChart(const sim::SimResults& results) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Přizpůsobení napáječe"));
    auto* s11 = series(QStringLiteral("S11 [dB]"));
    auto* resistance = series(QStringLiteral("R [Ω]"));
    auto* reactance = series(QStringLiteral("X [Ω]"));
    double lowest = -10;
    double lowOhms = 0;
    double highOhms = 100;
    for (const auto& sample : results.band) {
        const double ghz = sample.hz / 1e9;
        s11->append(ghz, sample.s11Db);
        resistance->append(ghz, sample.impedance.real());
        reactance->append(ghz, sample.impedance.imag());
        lowest = std::min(lowest, sample.s11Db);
        lowOhms = std::min({lowOhms, sample.impedance.real(), sample.impedance.imag()});
        highOhms = std::max({highOhms, sample.impedance.real(), sample.impedance.imag()});
    }
    const double bottom = std::max(std::floor(lowest / 5) * 5, -60.0);
    auto* marker = series(QStringLiteral("f"));
    marker->append(results.centreHz / 1e9, bottom);
    marker->append(results.centreHz / 1e9, 0);
    QPen dashed = marker->pen();
    dashed.setStyle(Qt::DashLine);
    marker->setPen(dashed);
    for (QLineSeries* each : {s11, marker, resistance, reactance})
        chart->addSeries(each);

    auto* frequency = new QValueAxis;
    frequency->setTitleText(QStringLiteral("f [GHz]"));
    if (!results.band.empty())
        frequency->setRange(results.band.front().hz / 1e9, results.band.back().hz / 1e9);
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
    for (QLineSeries* each : {s11, marker, resistance, reactance}) {
        each->attachAxis(frequency);
        each->attachAxis(each == resistance || each == reactance ? ohms : decibels);
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
