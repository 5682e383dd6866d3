#pragma once

#include <QString>

namespace vlnokan {

// How a print job handed to lp ended.
struct LpOutcome {
    bool started = false;  // lp could be run at all
    bool accepted = false; // lp ended normally with status 0
    QString startError;    // why lp could not be run
    QString complaint;     // what lp wrote on standard error, trimmed
};

// Hands file to the CUPS queue with lp at true size (print-scaling=none: the pages are laid out
// for the paper already) and waits for lp, the window handling its events meanwhile.
LpOutcome sendWithLp(const QString& queue, const QString& title, const QString& file);

} // namespace vlnokan
