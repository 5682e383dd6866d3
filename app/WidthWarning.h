#pragma once

#include "calc/Design.h"

#include <QLabel>

#include <string>

namespace vlnokan {

// A can too wide for its frequency carries further modes besides TE11 and the antenna will not
// behave as computed: said in red on the main window, with the diameters that carry TE11 alone.
// Hidden for any other design, so the window is then exactly as it always was. A click asks for
// the antenna details, which explain it.
class WidthWarning final : public QLabel {
    Q_OBJECT

public:
    explicit WidthWarning(QWidget* parent = nullptr);

    // Shows the warning when the design's can carries more than TE11, hides it otherwise.
    void follow(const Design& design, const std::string& separator);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace vlnokan
