#include "details/SweepSection.h"

#include "core/Guard.h"

#include "calc/Details.h"
#include "entry/Locale.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace vlnokan {

namespace {

QString fixed(Real value, int places) {
    return QString::fromStdString(
        details::decimals(value, places, entry::Locale::get().decimalSeparator()));
}

QDoubleSpinBox* frequencyBox(const char* name, double value, double smallest, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setDecimals(3);
    box->setRange(smallest, 100000.0);
    box->setValue(value);
    box->setSuffix(QStringLiteral(" GHz"));
    box->setKeyboardTracking(false);
    return box;
}

} // namespace

SweepSection::SweepSection(QWidget* parent) : QWidget(parent) {
    m_choice = new QComboBox(this);
    m_choice->setObjectName(QStringLiteral("band"));
    for (const sweep::Band& band : sweep::presetBands())
        m_choice->addItem(QString::fromStdString(band.title), QString::fromStdString(band.key));
    m_choice->addItem(QStringLiteral("Vlastní rozsah"), QStringLiteral("custom"));

    m_from = frequencyBox("from", 2.4, 0.001, this);
    m_to = frequencyBox("to", 2.5, 0.001, this);
    m_step = frequencyBox("step", 0.01, 0.001, this);
    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(QStringLiteral("od"), this));
    range->addWidget(m_from);
    range->addWidget(new QLabel(QStringLiteral("do"), this));
    range->addWidget(m_to);
    range->addWidget(new QLabel(QStringLiteral("krok"), this));
    range->addWidget(m_step);
    range->addStretch();

    auto* chart = new QChart;
    chart->legend()->hide();
    m_line = new QLineSeries(chart);
    m_points = new QScatterSeries(chart);
    m_points->setMarkerSize(7);
    chart->addSeries(m_line);
    chart->addSeries(m_points);
    m_frequencyAxis = new QValueAxis(chart);
    m_frequencyAxis->setTitleText(QStringLiteral("f [GHz]"));
    m_placeAxis = new QValueAxis(chart);
    m_placeAxis->setTitleText(QStringLiteral("Lg/4 [mm]"));
    chart->addAxis(m_frequencyAxis, Qt::AlignBottom);
    chart->addAxis(m_placeAxis, Qt::AlignLeft);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(m_line), static_cast<QAbstractSeries*>(m_points)}) {
        series->attachAxis(m_frequencyAxis);
        series->attachAxis(m_placeAxis);
    }
    m_chart = new QChartView(chart, this);
    m_chart->setObjectName(QStringLiteral("chart"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(220);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("sweepSummary"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Pásmo:"), m_choice);
    form->addRow(QStringLiteral("Rozsah:"), range);
    layout->addLayout(form);
    layout->addWidget(m_chart);
    layout->addWidget(m_summary);

    connect(m_choice, &QComboBox::currentIndexChanged, this, &SweepSection::chooseBand);
    for (QDoubleSpinBox* box : {m_from, m_to, m_step})
        connect(box, &QDoubleSpinBox::valueChanged, this, &SweepSection::chooseBand);
    chooseBand();
}

void SweepSection::setDiameter(std::int32_t diameter) {
    m_diameter = diameter;
    redo();
}

void SweepSection::setDesign(Real frequency, std::int32_t diameter) {
    if (m_frequency != frequency) {
        m_frequency = frequency;
        chooseBandFor(frequency);
    }
    setDiameter(diameter);
}

void SweepSection::chooseBandFor(Real frequency) {
    // Set quietly: the sweep is redone once, for the new diameter.
    const QSignalBlocker choice(m_choice);
    const QSignalBlocker from(m_from);
    const QSignalBlocker to(m_to);
    const QSignalBlocker step(m_step);
    if (const auto preset = sweep::presetCovering(frequency)) {
        m_choice->setCurrentIndex(m_choice->findData(QString::fromStdString(preset->key)));
    } else {
        const sweep::Range range = sweep::rangeAround(frequency);
        m_from->setValue(double(range.low));
        m_to->setValue(double(range.high));
        m_step->setValue(double(range.step));
        m_choice->setCurrentIndex(m_choice->findData(QStringLiteral("custom")));
    }
    readBand();
}

void SweepSection::chooseBand() {
    readBand();
    redo();
}

void SweepSection::readBand() {
    const QString key = m_choice->currentData().toString();
    const bool custom = key == QStringLiteral("custom");
    for (QDoubleSpinBox* box : {m_from, m_to, m_step})
        box->setEnabled(custom);
    m_band = custom ? sweep::customBand(m_from->value(), m_to->value(), m_step->value())
                    : sweep::presetBand(key.toStdString());
    if (m_band && custom)
        m_band->title = m_choice->currentText().toStdString();
}

void SweepSection::redo() {
    m_result.reset();
    const bool done = guarded(
        [this] {
            if (m_band && m_diameter > 0)
                m_result = sweep::run(*m_band, m_diameter);
            plot();
            return true;
        },
        false);
    if (!done) {
        m_result.reset();
        m_line->clear();
        m_points->clear();
        m_summary->clear();
    }
    emit swept();
}

void SweepSection::plot() {
    m_line->clear();
    m_points->clear();
    if (!m_band) {
        m_summary->setText(QStringLiteral("Rozsah není platný: začátek musí být kladný, konec "
                                          "nejméně roven začátku a kroků nejvýše %1.")
                               .arg(sweep::largestBand));
        return;
    }
    if (!m_result) {
        m_summary->clear();
        return;
    }
    QList<QPointF> points;
    for (const sweep::Row& row : m_result->rows)
        if (const auto place = row.probePlace())
            points.append(QPointF(double(row.frequency), double(*place)));
    m_line->replace(points);
    m_points->replace(points);
    const double first = double(m_band->frequencies.front());
    const double last = double(m_band->frequencies.back());
    const double widen = last > first ? 0 : std::max(0.01, first * 0.002);
    m_frequencyAxis->setRange(first - widen, last + widen);
    if (!points.isEmpty()) {
        const auto [low, high] = std::minmax_element(
            points.begin(), points.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
        const double pad = std::max(0.5, (high->y() - low->y()) * 0.1);
        m_placeAxis->setRange(std::max(0.0, low->y() - pad), high->y() + pad);
    }

    QStringList lines;
    if (m_result->spread)
        lines << QStringLiteral("Místo sondy (Lg/4) se v pásmu posouvá o %1 mm.")
                     .arg(fixed(*m_result->spread, 1));
    if (m_result->centrePlace)
        lines << QStringLiteral("Pro střed pásma %1 GHz dejte sondu %2 mm od dna.")
                     .arg(fixed(m_result->centre, 3), fixed(*m_result->centrePlace, 1));
    if (!m_result->allPropagate)
        lines << QStringLiteral("Na některých kmitočtech pásma se v této plechovce vlna nešíří "
                                "(plechovka je pro ně příliš úzká).");
    m_summary->setText(lines.join(QLatin1Char('\n')));
}

} // namespace vlnokan
