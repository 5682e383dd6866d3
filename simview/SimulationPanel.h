#pragma once

#include "calc/Design.h"
#include "measure/Sweep.h"
#include "sim/EngineProgress.h"
#include "sim/SimResults.h"

#include <QWidget>

#include <atomic>
#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;
class QSpinBox;

namespace vlnokan::simview {

// The "Simulace" part of the antenna details: the designed antenna simulated with openEMS.
// The engine runs as a child process from a worker thread, so the window stays responsive;
// closing the window or a new design stops it. Faults go to the handler given, never through
// Qt's frames.
class SimulationPanel final : public QWidget {
    Q_OBJECT

public:
    using FaultHandler = std::function<void(const std::exception_ptr&)>;

    explicit SimulationPanel(QWidget* parent = nullptr);
    ~SimulationPanel() override;

    // The design to simulate; a running simulation of an older one is stopped.
    void setDesign(const Design& design);
    // Where a failed simulation is reported (the application's error box).
    void setFaultHandler(FaultHandler handler) { m_faultHandler = std::move(handler); }
    void setCacheFolder(std::filesystem::path folder) { m_cacheFolder = std::move(folder); }

    void start();
    void cancel();
    bool running() const { return m_worker.joinable(); }
    void showResults(const sim::SimResults& results);
    // Asks for a network analyser's file and shows its sweep on the charts; with a measurement
    // loaded, a simulation also works out the probe's trim (two further simulations).
    void loadMeasurement();
    void showMeasurement(const measure::Sweep& sweep, const QString& fileName);

    QPushButton* startButton() const { return m_start; }
    QPushButton* cancelButton() const { return m_cancel; }
    QProgressBar* progressBar() const { return m_progress; }
    QComboBox* qualityBox() const { return m_quality; }
    // The can alone, as a dish feed: the model ends at the can's mouth.
    QCheckBox* noFunnelBox() const { return m_noFunnel; }
    QLabel* statusLabel() const { return m_status; }
    QLabel* gainLabel() const { return m_gain; }
    QWidget* chartsArea() const { return m_charts; }
    QPushButton* loadButton() const { return m_load; }
    QLabel* measuredLabel() const { return m_measuredText; }
    QLabel* trimLabel() const { return m_trim; }

signals:
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The panel hidden with its window: the engine stops.
    void hideEvent(QHideEvent* event) override;

private:
    void showProgress(const sim::Progress& progress);
    void runEnded(std::optional<sim::SimResults> results, std::exception_ptr fault);
    void showCharts();
    void showMeasuredText();
    void handOn(const std::exception_ptr& fault);
    void stopWorker();
    void setRunning(bool running);

    Design m_design;
    std::optional<double> m_hornEstimate;
    std::optional<sim::SimResults> m_results;
    std::optional<measure::Sweep> m_measured;
    QString m_measuredName;
    QString m_trimText;
    FaultHandler m_faultHandler;
    std::filesystem::path m_cacheFolder;
    std::thread m_worker;
    std::atomic<bool> m_cancelled{false};

    QComboBox* m_quality = nullptr;
    QCheckBox* m_noFunnel = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_load = nullptr;
    QLabel* m_measuredText = nullptr;
    QLabel* m_trim = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_gain = nullptr;
    QWidget* m_charts = nullptr;
    QVBoxLayout* m_chartsLayout = nullptr;
};

} // namespace vlnokan::simview
