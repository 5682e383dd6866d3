#pragma once

#include "widgets/OpenTarget.h"

#include <QStringList>

namespace vlnokan::test {

// Stands in for the desktop: notes every address instead of starting a browser.
class RecordingUrlHandler final : public UrlHandler {
public:
    bool open(const QString& target) override {
        opened << target;
        return accepts;
    }

    QStringList opened;
    bool accepts = true;
};

} // namespace vlnokan::test
