#include "simview/SimulationPanel.h"

#include "core/Faults.h"
#include "measure/Touchstone.h"
#include "measure/TrimAdvice.h"
#include "sim/CanModel.h"
#include "sim/HornGain.h"
#include "sim/ResultCache.h"
#include "sim/Simulation.h"
#include "sim/TrimStudy.h"
#include "simview/DishView.h"
#include "simview/MeasurementChooser.h"
#include "simview/SimCharts.h"
#include "simview/TrimText.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtCharts/QChartView>

#include <cmath>

namespace vlnokan::simview {

namespace {

QString decibels(double value, int decimals = 1) {
    return QLocale().toString(value, 'f', decimals);
}

QString duration(double seconds) {
    const long whole = std::lround(seconds);
    return whole >= 60 ? QStringLiteral("%1 min %2 s").arg(whole / 60).arg(whole % 60)
                       : QStringLiteral("%1 s").arg(whole);
}

} // namespace

SimulationPanel::SimulationPanel(QWidget* parent)
    : QWidget(parent), m_cacheFolder(sim::defaultCacheFolder()) {
    auto* layout = new QVBoxLayout(this);
    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("Kvalita:"), this));
    m_quality = new QComboBox(this);
    m_quality->addItem(QStringLiteral("rychlá (λ/15)"), int(sim::Quality::Quick));
    m_quality->addItem(QStringLiteral("jemná (λ/25)"), int(sim::Quality::Fine));
    controls->addWidget(m_quality);
    m_noFunnel = new QCheckBox(QStringLiteral("bez trychtýře"), this);
    m_noFunnel->setToolTip(QStringLiteral("Samotná plechovka jako ozařovač paraboly"));
    controls->addWidget(m_noFunnel);
    m_start = new QPushButton(QStringLiteral("Simulovat"), this);
    m_cancel = new QPushButton(QStringLiteral("Zrušit"), this);
    controls->addWidget(m_start);
    controls->addWidget(m_cancel);
    m_load = new QPushButton(QStringLiteral("Načíst měření…"), this);
    controls->addWidget(m_load);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    controls->addWidget(m_progress, 1);
    layout->addLayout(controls);
    m_status = new QLabel(QStringLiteral("Simulace spočítá přizpůsobení a vyzařování antény "
                                         "programem openEMS (několik minut)."),
                          this);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_status);
    m_gain = new QLabel(this);
    m_gain->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_gain);
    for (QLabel** label : {&m_measuredText, &m_trim}) {
        *label = new QLabel(this);
        (*label)->setWordWrap(true);
        (*label)->setTextInteractionFlags(Qt::TextSelectableByMouse);
        (*label)->hide();
        layout->addWidget(*label);
    }
    m_charts = new QWidget(this);
    m_chartsLayout = new QVBoxLayout(m_charts);
    m_chartsLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_charts, 1);

    connect(m_start, &QPushButton::clicked, this, &SimulationPanel::start);
    connect(m_cancel, &QPushButton::clicked, this, &SimulationPanel::cancel);
    connect(m_load, &QPushButton::clicked, this, &SimulationPanel::loadMeasurement);
    setRunning(false);
    m_start->setEnabled(false);
}

SimulationPanel::~SimulationPanel() {
    stopWorker();
}

void SimulationPanel::setDesign(const Design& design) {
    if (design == m_design)
        return;
    stopWorker();
    setRunning(false);
    m_design = design;
    m_hornEstimate = sim::hornGainEstimate(design);
    m_start->setEnabled(design.canKnown);
}

void SimulationPanel::start() {
    if (running())
        return;
    try {
        sim::CanOptions options;
        options.cellsPerWavelength =
            sim::cellsPerWavelength(sim::Quality(m_quality->currentData().toInt()));
        options.withFunnel = !m_noFunnel->isChecked();
        // Refused from its size before anything of it is built.
        sim::refuseOversized(sim::canModelSize(m_design, options), sim::ModelUse::Simulate);
        const sim::SimModel model = sim::canModel(m_design, options);
        sim::SimSettings settings;
        settings.cacheFolder = m_cacheFolder;
        m_cancelled = false;
        m_progress->setValue(0);
        m_progress->setFormat(QStringLiteral("%p %"));
        m_status->setText(QStringLiteral("Simuluje se %1 buněk…").arg(model.cellCount()));
        setRunning(true);
        m_trimText.clear();
        m_worker = std::thread([this, model, settings, options, design = m_design,
                                measured = m_measured] {
            std::optional<sim::SimResults> results;
            std::exception_ptr fault;
            const auto progress = [this](const sim::Progress& each) {
                QMetaObject::invokeMethod(
                    this, [this, each] { showProgress(each); }, Qt::QueuedConnection);
            };
            try {
                if (measured) {
                    // The design and two further simulations, for the probe's trim.
                    sim::SimResults designResults;
                    double extra = 0;
                    const auto study = sim::trimStudy(design, options, settings, designResults,
                                                      extra, progress, m_cancelled);
                    const QString advice =
                        trimText(measure::adviseTrim(study, measured->samples), extra);
                    QMetaObject::invokeMethod(
                        this, [this, advice] { m_trimText = advice; }, Qt::QueuedConnection);
                    results = designResults;
                } else {
                    results = sim::simulate(model, settings, progress, m_cancelled);
                }
            } catch (...) {
                fault = std::current_exception();
            }
            QMetaObject::invokeMethod(
                this, [this, results, fault] { runEnded(results, fault); }, Qt::QueuedConnection);
        });
    } catch (...) {
        setRunning(false);
        runEnded(std::nullopt, std::current_exception());
    }
}

void SimulationPanel::cancel() {
    m_cancelled = true;
}

void SimulationPanel::showProgress(const sim::Progress& progress) {
    if (!running())
        return;
    m_progress->setValue(int(progress.share * 100));
    m_progress->setFormat(
        progress.secondsLeft
            ? QStringLiteral("%p % – zbývá %1").arg(duration(*progress.secondsLeft))
            : QStringLiteral("%p %"));
}

void SimulationPanel::runEnded(std::optional<sim::SimResults> results, std::exception_ptr fault) {
    if (m_worker.joinable())
        m_worker.join();
    setRunning(false);
    if (results) {
        m_progress->setValue(100);
        m_progress->setFormat(QStringLiteral("%p %"));
        showResults(*results);
    } else if (fault) {
        try {
            std::rethrow_exception(fault);
        } catch (const EAbort&) {
            m_status->setText(QStringLiteral("Simulace byla zrušena."));
        } catch (const Exception& error) {
            m_status->setText(QString::fromStdString(error.message()));
            if (m_faultHandler)
                m_faultHandler(fault);
        } catch (...) {
            if (m_faultHandler)
                m_faultHandler(fault);
        }
    }
    emit finished();
}

void SimulationPanel::loadMeasurement() {
    // Entered from a click: a fault goes to the handler, never through Qt's frames.
    try {
        const QString path = MeasurementChooserSeam::get().openFileName(
            this, QStringLiteral("Načíst měření"),
            QStringLiteral(
                "Měření analyzátoru (*.s1p *.s2p *.ts *.S1P *.S2P);;Všechny soubory (*)"));
        if (path.isEmpty())
            return;
        const measure::Sweep sweep = measure::readTouchstoneFile(path.toStdString());
        showMeasurement(sweep, QFileInfo(path).fileName());
    } catch (...) {
        handOn(std::current_exception());
    }
}

void SimulationPanel::showMeasurement(const measure::Sweep& sweep, const QString& fileName) {
    m_measured = sweep;
    m_measuredName = fileName;
    m_trimText.clear();
    m_trim->hide();
    showMeasuredText();
    showCharts();
}

void SimulationPanel::showMeasuredText() {
    if (!m_measured)
        return;
    m_measuredText->setText(measuredText(*m_measured, m_measuredName,
                                         double(m_design.frequency) * 1e9,
                                         m_results ? &*m_results : nullptr));
    m_measuredText->show();
    m_trim->setText(m_trimText);
    m_trim->setVisible(!m_trimText.isEmpty());
}

void SimulationPanel::handOn(const std::exception_ptr& fault) {
    try {
        std::rethrow_exception(fault);
    } catch (const Exception& error) {
        m_status->setText(QString::fromStdString(error.message()));
    } catch (...) {
    }
    if (m_faultHandler)
        m_faultHandler(fault);
}

void SimulationPanel::showResults(const sim::SimResults& results) {
    m_results = results;
    QString status = QStringLiteral("S11 na %1 GHz: %2 dB; nejlepší přizpůsobení %3 GHz (%4 dB)")
                         .arg(QLocale().toString(results.centreHz / 1e9, 'f', 3),
                              decibels(results.s11AtCentreDb),
                              QLocale().toString(results.match.bestHz / 1e9, 'f', 3),
                              decibels(results.match.bestDb));
    if (results.match.bandLowHz && results.match.bandHighHz)
        status += QStringLiteral("; S11 pod −10 dB od %1 do %2 GHz")
                      .arg(QLocale().toString(*results.match.bandLowHz / 1e9, 'f', 3),
                           QLocale().toString(*results.match.bandHighHz / 1e9, 'f', 3));
    status +=
        QStringLiteral("; předozadní poměr %1 dB.").arg(decibels(results.farField.frontToBackDb));
    if (!results.warning.empty())
        status += QLatin1Char('\n') + QString::fromStdString(results.warning);
    m_status->setText(status);
    QString gain = QStringLiteral("Zisk podle simulace: %1 dBi").arg(decibels(results.gainDbi));
    if (m_hornEstimate && !m_noFunnel->isChecked())
        gain += QStringLiteral("   odhad trychtýře: %1 dBi").arg(decibels(*m_hornEstimate));
    m_gain->setText(gain);
    showMeasuredText();
    showCharts();
}

void SimulationPanel::showCharts() {
    qDeleteAll(m_charts->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    while (QLayoutItem* item = m_chartsLayout->takeAt(0))
        delete item;
    const double centreHz = m_results ? m_results->centreHz : double(m_design.frequency) * 1e9;
    auto* match = new QChartView(makeMatchChart(m_results ? &*m_results : nullptr,
                                                m_measured ? &*m_measured : nullptr, centreHz),
                                 m_charts);
    match->setMinimumHeight(240);
    m_chartsLayout->addWidget(match);
    if (!m_results)
        return;
    auto* planes = new QHBoxLayout;
    const auto& pattern = m_results->farField.pattern;
    for (const auto& [title, levels] :
         {std::pair{QStringLiteral("Rovina E (sonda)"), &pattern.ePlaneDb},
          std::pair{QStringLiteral("Rovina H"), &pattern.hPlaneDb}}) {
        auto* view = new QChartView(makePatternChart(title, pattern.thetaDeg, *levels), m_charts);
        view->setMinimumSize(240, 240);
        planes->addWidget(view);
    }
    m_chartsLayout->addLayout(planes);
    auto* dish = new DishView(*m_results, m_charts);
    if (dish->hasAnswer())
        m_chartsLayout->addWidget(dish);
    else
        delete dish;
}

void SimulationPanel::closeEvent(QCloseEvent* event) {
    stopWorker();
    QWidget::closeEvent(event);
}

void SimulationPanel::hideEvent(QHideEvent* event) {
    // Minimising the window is no reason to stop; closing it is.
    if (!event->spontaneous())
        stopWorker();
    QWidget::hideEvent(event);
}

void SimulationPanel::stopWorker() {
    if (!m_worker.joinable())
        return;
    m_cancelled = true;
    m_worker.join();
}

void SimulationPanel::setRunning(bool running) {
    m_start->setEnabled(!running && m_design.canKnown);
    m_cancel->setEnabled(running);
    m_quality->setEnabled(!running);
    m_noFunnel->setEnabled(!running);
}

} // namespace vlnokan::simview
