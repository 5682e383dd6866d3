// vlnokan-calc-sim: what vlnokan-calc runs for --simulate and --export-model. The same
// calculation and output, then the designed antenna simulated with openEMS (or its model written
// for a run elsewhere). Progress goes to standard error; Ctrl+C stops the engine too.
#include "cli/CliView.h"
#include "cli/Options.h"
#include "cli/RunCommand.h"
#include "cli/SimReport.h"
#include "cli/Usage.h"
#include "core/ErrorText.h"
#include "core/Faults.h"
#include "sim/CanModel.h"
#include "sim/HornGain.h"
#include "sim/ModelWriter.h"
#include "sim/ResultCache.h"
#include "sim/Simulation.h"

#include <atomic>
#include <csignal>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::atomic<bool> interrupted{false};

extern "C" void interrupt(int) {
    interrupted = true;
}

// The calculation's view that also keeps the final design.
class SimulateView final : public vlnokan::cli::CliView {
public:
    using CliView::CliView;
    void designKnown(const vlnokan::Design& design) override { m_design = design; }
    const vlnokan::Design& design() const { return m_design; }

private:
    vlnokan::Design m_design;
};

int usageError() {
    std::cerr << vlnokan::cli::usage << '\n';
    return 2;
}

std::optional<double> probeRadius(const vlnokan::cli::CommandLine& line) {
    const auto text = line.value("--probe-radius");
    if (!text)
        return 1.0;
    try {
        std::size_t used = 0;
        const double radius = std::stod(*text, &used);
        if (used == text->size() && radius >= 0 && radius <= 10)
            return radius;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    namespace sim = vlnokan::sim;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto line = vlnokan::cli::parseCommandLine(args, vlnokan::cli::knownOptions);
    if (!line)
        return usageError();
    const auto quality = sim::qualityFromName(line->value("--quality").value_or("quick"));
    const auto radius = probeRadius(*line);
    const auto exportFolder = line->value("--export-model");
    if (!quality || !radius || (exportFolder && exportFolder->empty()))
        return usageError();

    SimulateView view(line->entries, std::cout);
    const int status = vlnokan::cli::runCalculate(view, std::cout, std::cerr);
    if (status != 0)
        return status;
    try {
        sim::CanOptions options;
        options.cellsPerWavelength = sim::cellsPerWavelength(*quality);
        options.probeRadius = *radius;
        const sim::SimModel model = sim::canModel(view.design(), options);
        if (exportFolder) {
            sim::exportModel(model, *exportFolder);
            std::cout << "model = " << *exportFolder << "/model.xml, " << model.cellCount()
                      << " cells, about " << sim::memoryEstimate(model) / (1024 * 1024)
                      << " MB" << std::endl;
        }
        if (!line->has("--simulate"))
            return 0;

        std::signal(SIGINT, interrupt);
        std::signal(SIGTERM, interrupt);
        const bool terminal = isatty(STDERR_FILENO) != 0;
        sim::SimSettings settings;
        settings.cacheFolder = sim::defaultCacheFolder();
        const auto results = sim::simulate(
            model, settings,
            [&](const sim::Progress& progress) {
                std::cerr << vlnokan::cli::progressText(progress, terminal) << std::flush;
            },
            interrupted);
        if (terminal)
            std::cerr << '\n';
        vlnokan::cli::printSimulation(std::cout, results, sim::qualityName(*quality),
                                      sim::hornGainEstimate(view.design()));
    } catch (const vlnokan::EAbort&) {
        std::cerr << "\nerror: Simulace byla přerušena.\n";
        return 130;
    } catch (const vlnokan::Exception& fault) {
        std::cerr << "error: " << vlnokan::errorBoxText(fault.message()) << '\n';
        return 1;
    }
    return 0;
}
