#include "simview/TrimText.h"

#include "measure/MatchReading.h"
#include "sim/TrimStudy.h"

#include <QLocale>

#include <cmath>

namespace vlnokan::simview {

namespace {

QString number(double value, int decimals) {
    return QLocale().toString(value, 'f', decimals);
}

QString impedance(std::complex<double> z) {
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag()))
        return QStringLiteral("naprázdno");
    return QStringLiteral("%1 %2 j%3 Ω")
        .arg(number(z.real(), 1), z.imag() < 0 ? QStringLiteral("−") : QStringLiteral("+"),
             number(std::abs(z.imag()), 1));
}

// A length no finer than its uncertainty allows.
QString millimetres(double value, double uncertainty) {
    const double step = measure::adviceStep(uncertainty);
    const int decimals = step < 1 ? 1 : 0;
    return QStringLiteral("%1 mm (± %2 mm)")
        .arg(number(std::abs(measure::roundTo(value, step)), decimals),
             number(std::ceil(uncertainty / step - 1e-9) * step, decimals));
}

} // namespace

QString measuredText(const measure::Sweep& measured, const QString& fileName, double centreHz,
                     const sim::SimResults* simulated) {
    const auto seen = measure::readMatch(measured.samples, centreHz);
    QString text = QStringLiteral("Měření %1 (%2 bodů): nejlepší přizpůsobení %3 GHz (%4 dB)")
                       .arg(fileName)
                       .arg(measured.samples.size())
                       .arg(number(seen.best.hz / 1e9, 3), number(seen.best.s11Db, 1));
    if (seen.atDesign)
        text += QStringLiteral("; na %1 GHz %2 dB, %3")
                    .arg(number(centreHz / 1e9, 3), number(seen.atDesign->s11Db, 1),
                         impedance(seen.atDesign->impedance));
    text += seen.designInBand ? QStringLiteral("; kmitočet leží v pásmu pod −10 dB.")
                              : QStringLiteral("; kmitočet neleží v pásmu pod −10 dB.");
    if (!simulated)
        return text;
    const auto sim = measure::readMatch(sim::sweepOf(*simulated), centreHz);
    text += QStringLiteral("\nRozdíl proti simulaci: pokles o %1 MHz %2 (%3 proti %4 dB)")
                .arg(number(std::abs(seen.best.hz - sim.best.hz) / 1e6, 0),
                     seen.best.hz >= sim.best.hz ? QStringLiteral("výše") : QStringLiteral("níže"),
                     number(seen.best.s11Db, 1), number(sim.best.s11Db, 1));
    if (seen.atDesign && sim.atDesign)
        text += QStringLiteral("; na %1 GHz změřeno %2, simulace %3")
                    .arg(number(centreHz / 1e9, 3), impedance(seen.atDesign->impedance),
                         impedance(sim.atDesign->impedance));
    return text + QStringLiteral(".");
}

QString trimText(const measure::TrimAdvice& advice, double extraSeconds) {
    using Verdict = measure::TrimAdvice::Verdict;
    QString text;
    if (advice.verdict == Verdict::NotThisAntenna) {
        text = QStringLiteral("Měření nevypadá jako tato anténa: %1.")
                   .arg(QString::fromStdString(advice.reason));
    } else if (advice.verdict == Verdict::Leave) {
        text =
            QStringLiteral("V mezích toho, co simulace rozliší (délka ± %1 mm, místo ± %2 mm): "
                           "sondu nechte, jak je.")
                .arg(number(advice.lengthUncertaintyMm, 1), number(advice.heightUncertaintyMm, 1));
    } else {
        if (advice.trimLength)
            text = (advice.longerMm > 0 ? QStringLiteral("Zkraťte sondu o %1.")
                                        : QStringLiteral("Prodlužte sondu o %1."))
                       .arg(millimetres(advice.longerMm, advice.lengthUncertaintyMm));
        if (advice.moveProbe)
            text += (text.isEmpty() ? QString() : QStringLiteral(" ")) +
                    (advice.furtherMm > 0
                         ? QStringLiteral("Sonda je asi o %1 dál ode dna, než má být: vyvrtejte "
                                          "nový otvor blíže ke dnu, nebo vložte nové dno blíže "
                                          "k sondě.")
                         : QStringLiteral("Sonda je asi o %1 blíže ke dnu, než má být: vyvrtejte "
                                          "nový otvor dál ode dna."))
                        .arg(millimetres(advice.furtherMm, advice.heightUncertaintyMm));
    }
    text += QStringLiteral(" (Rada ze dvou dalších simulací: sonda o %1 mm delší a o %1 mm dál "
                           "ode dna%2.)")
                .arg(number(sim::trimStepMm, 0),
                     extraSeconds > 0 ? QStringLiteral(", %1 s").arg(number(extraSeconds, 0))
                                      : QString());
    return QStringLiteral("Rada k sondě: ") + text;
}

} // namespace vlnokan::simview
