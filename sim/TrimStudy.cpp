#include "sim/TrimStudy.h"

#include "calc/CanCalc.h"

namespace vlnokan::sim {

std::vector<measure::SweepSample> sweepOf(const SimResults& results) {
    std::vector<measure::SweepSample> samples;
    for (const PortSample& sample : results.band)
        samples.push_back(measure::sampleFromImpedance(sample.hz, sample.impedance));
    return samples;
}

measure::TrimStudy trimStudy(const Design& design, const CanOptions& options,
                             const SimSettings& settings, SimResults& designResults,
                             double& seconds,
                             const std::function<void(const Progress&)>& onProgress,
                             const std::atomic<bool>& cancel) {
    // Each of the three runs takes a third of the progress bar.
    auto part = [&](int index) {
        return [&onProgress, index](const Progress& progress) {
            if (!onProgress)
                return;
            Progress whole = progress;
            whole.share = (index + progress.share) / 3;
            whole.secondsLeft.reset();
            onProgress(whole);
        };
    };
    CanOptions longer = options;
    longer.probeLonger += trimStepMm;
    CanOptions further = options;
    further.probeFurther += trimStepMm;
    const SimModel model = canModel(design, options);
    designResults = simulate(model, settings, part(0), cancel);
    const SimResults longerResults = simulate(canModel(design, longer), settings, part(1), cancel);
    const SimResults furtherResults =
        simulate(canModel(design, further), settings, part(2), cancel);
    seconds = longerResults.seconds * !longerResults.fromCache +
              furtherResults.seconds * !furtherResults.fromCache;

    measure::TrimStudy study;
    study.design = sweepOf(designResults);
    study.longer = sweepOf(longerResults);
    study.further = sweepOf(furtherResults);
    study.lengthStepMm = trimStepMm;
    study.heightStepMm = trimStepMm;
    study.designHz = model.centreHz;
    study.cellsPerWavelength = options.cellsPerWavelength;
    const Real lo = can::freeSpaceWavelength(design.frequency);
    study.probeLengthMm = double(lo) / 4 + options.probeLonger;
    study.probeHeightMm =
        double(can::guideWavelength(lo, can::cutoffWavelength(design.diameter))) / 4 +
        options.probeFurther;
    return study;
}

} // namespace vlnokan::sim
