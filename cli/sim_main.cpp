// vlnokan-calc-sim: what vlnokan-calc runs for --simulate and --export-model. The same
// calculation and output (or JSON document), then the designed antenna simulated with openEMS,
// or its model written for a run elsewhere. Progress goes to standard error; Ctrl+C stops the
// engine too.
#include "cli/CliView.h"
#include "cli/DetailsOptions.h"
#include "cli/DishReport.h"
#include "cli/JsonReport.h"
#include "cli/MeasuredReport.h"
#include "cli/Options.h"
#include "cli/RunCommand.h"
#include "cli/RunDetails.h"
#include "cli/RunMeasured.h"
#include "cli/SimReport.h"
#include "cli/TrimReport.h"
#include "cli/Usage.h"
#include "core/ErrorText.h"
#include "core/Faults.h"
#include "measure/Touchstone.h"
#include "sim/CanModel.h"
#include "sim/DishFeed.h"
#include "sim/HornGain.h"
#include "sim/ModelWriter.h"
#include "sim/ResultCache.h"
#include "sim/Simulation.h"
#include "sim/TrimStudy.h"

#include <atomic>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace cli = vlnokan::cli;
namespace sim = vlnokan::sim;

std::atomic<bool> interrupted{false};

extern "C" void interrupt(int) {
    interrupted = true;
}

int usageError() {
    std::cerr << cli::usage << '\n';
    return 2;
}

std::optional<double> probeRadius(const cli::CommandLine& line) {
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

// Simulates (or exports) the design; the figures go to out as lines, or into simulation.
int simulateDesign(const cli::CommandLine& line, const vlnokan::Design& design,
                   sim::Quality quality, double radius, bool json, cli::Json& simulation) {
    try {
        sim::CanOptions options;
        options.withFunnel = !line.has("--no-funnel");
        options.cellsPerWavelength = sim::cellsPerWavelength(quality);
        options.probeRadius = radius;
        // A design too large is refused from its size before anything of it is built.
        const sim::ModelSize size = sim::canModelSize(design, options);
        if (line.has("--export-model"))
            sim::refuseOversized(size, sim::ModelUse::Export);
        if (line.has("--simulate"))
            sim::refuseOversized(size, sim::ModelUse::Simulate);
        const sim::SimModel model = sim::canModel(design, options);
        if (const auto folder = line.value("--export-model")) {
            sim::exportModel(model, *folder);
            (json ? std::cerr : std::cout)
                << "model = " << *folder << "/model.xml, " << model.cellCount() << " cells, about "
                << sim::memoryEstimate(model) / (1024 * 1024) << " MB" << std::endl;
        }
        if (!line.has("--simulate"))
            return 0;
        // A measurement that cannot be read fails before the long simulation.
        std::optional<vlnokan::measure::Sweep> measured;
        const auto measuredPath = line.value("--measured");
        if (measuredPath)
            measured = vlnokan::measure::readTouchstoneFile(*measuredPath);

        std::signal(SIGINT, interrupt);
        std::signal(SIGTERM, interrupt);
        const bool terminal = isatty(STDERR_FILENO) != 0;
        sim::SimSettings settings;
        settings.cacheFolder = sim::defaultCacheFolder();
        const auto progress = [&](const sim::Progress& each) {
            std::cerr << cli::progressText(each, terminal) << std::flush;
        };
        // With a measurement, two further simulations tell how the probe moves the match.
        sim::SimResults results;
        std::optional<vlnokan::measure::TrimStudy> study;
        double extraSeconds = 0;
        if (measured)
            study = sim::trimStudy(design, options, settings, results, extraSeconds, progress,
                                   interrupted);
        else
            results = sim::simulate(model, settings, progress, interrupted);
        if (terminal)
            std::cerr << '\n';
        // The horn's textbook gain means nothing for the can alone.
        const auto estimate =
            options.withFunnel ? sim::hornGainEstimate(design) : std::optional<double>();
        const auto fOverD = line.value("--dish");
        const auto dish =
            fOverD ? sim::dishAnswer(results, *cli::dishFOverD(*fOverD)) : std::nullopt;
        if (json) {
            simulation = cli::simulationJson(results, sim::qualityName(quality), estimate);
            if (fOverD)
                simulation["dish"] = cli::dishJson(dish);
            if (measured)
                simulation["trim"] = cli::trimJson(
                    vlnokan::measure::adviseTrim(*study, measured->samples), extraSeconds);
        } else {
            cli::printSimulation(std::cout, results, sim::qualityName(quality), estimate);
            if (fOverD)
                cli::printDish(std::cout, dish);
            if (measured) {
                cli::printMeasured(std::cout, *measured,
                                   std::filesystem::path(*measuredPath).filename().string(),
                                   results.centreHz);
                cli::printComparison(std::cout, results, *measured,
                                     vlnokan::measure::adviseTrim(*study, measured->samples),
                                     extraSeconds);
            }
        }
        if (!results.warning.empty())
            std::cerr << "warning: " << results.warning << '\n';
        return 0;
    } catch (const vlnokan::EAbort&) {
        std::cerr << "\nerror: Simulace byla přerušena.\n";
        simulation = {{"fault", "Simulace byla přerušena."}};
        return 130;
    } catch (const vlnokan::Exception& fault) {
        const std::string text = vlnokan::errorBoxText(fault.message());
        std::cerr << "error: " << text << '\n';
        simulation = {{"fault", text}};
        return 1;
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto line = cli::parseCommandLine(args, cli::knownOptions);
    if (!line)
        return usageError();
    const auto quality = sim::qualityFromName(line->value("--quality").value_or("quick"));
    const auto radius = probeRadius(*line);
    const auto exportFolder = line->value("--export-model");
    const auto measuredPath = line->value("--measured");
    const auto dish = line->value("--dish");
    if (!quality || !radius || (exportFolder && exportFolder->empty()) ||
        (measuredPath && measuredPath->empty()) ||
        (dish && (!cli::dishFOverD(*dish) || !line->has("--simulate"))))
        return usageError();

    const bool json = line->has("--json");
    // The details and the sweep are members of the JSON document; lines have no place for them.
    if (!json && cli::asksForDetails(*line))
        return usageError();
    if (!json) {
        cli::CliView view(line->entries, std::cout);
        if (const int status = cli::runCalculate(view, std::cout, std::cerr); status != 0)
            return status;
        cli::Json unused;
        return simulateDesign(*line, view.design(), *quality, *radius, false, unused);
    }

    // The details' JSON document as --json makes it, with the simulation as a further member.
    const auto request = cli::detailsRequest(*line);
    if (!request)
        return usageError();
    int simulated = 0;
    int measured = 0;
    std::optional<std::string> fault;
    std::vector<cli::JsonSection> sections;
    if (const auto path = line->value("--measured"))
        sections.push_back(cli::measuredSection(*path, measured));
    cli::JsonSection simulation{"simulation", [&](const vlnokan::Design& design) {
                                    // Only a whole design, not one a fault cut short.
                                    cli::Json figures = nullptr;
                                    if (design.funnelKnown)
                                        simulated = simulateDesign(*line, design, *quality, *radius,
                                                                   true, figures);
                                    if (simulated != 0)
                                        fault = figures.at("fault").get<std::string>();
                                    return figures;
                                }};
    simulation.fault = [&] { return fault; };
    sections.push_back(simulation);
    const int status = cli::runDetails(*line, *request, std::cout, std::cerr, sections);
    return status != 0 ? status : simulated != 0 ? simulated : measured;
}
