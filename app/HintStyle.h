#pragma once

#include <QProxyStyle>

namespace vlnokan {

// The desktop's style with the program's hint timing: a hint appears after the pointer has
// rested 500 ms on a picture.
class HintStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

    static constexpr int wakeUpDelay = 500;
    static constexpr int shownFor = 2500;
};

} // namespace vlnokan
