#pragma once

#include "calc/Design.h"
#include "calc/Details.h"

#include <QWidget>

#include <optional>

class QFormLayout;
class QGroupBox;
class QLabel;
class QTableWidget;
class QTimer;
class QVBoxLayout;

namespace vlnokan {

class DiameterBar;
class SweepSection;

// The antenna details beside the main window: which waveguide modes the can carries, the
// diameters that carry the lowest alone, the probe's place across a band, the horn's gain
// estimate and the figures to 0.1 mm. Not modal; it follows every calculation.
class DetailsWindow final : public QWidget {
    Q_OBJECT

public:
    explicit DetailsWindow(QWidget* parent = nullptr);

    // Where a fault in the details goes (the program's error box); no fault leaves the window.

    // Takes the design now and shows it once control is back in the event loop, so a running
    // calculation is not held up and several changes in one go redraw once.
    void followDesign(const Design& design);
    // Shows the design at once; a fault shows no details and goes to the error report.
    void showDesign(const Design& design);
    const Design& design() const { return m_design; }

    // A further part of the window under its own title, below the others (the window owns it).
    void addSection(const QString& title, QWidget* section);

private:
    void showDetails(const details::Details& details);
    void showNothing(const QString& reason);
    void showWindow();
    void showWindowOf(const details::Details& details);
    QGroupBox* group(const QString& title, const char* name);
    QLabel* figure(QFormLayout* form, const QString& name, const char* objectName);

    Design m_design;
    std::optional<details::Details> m_shown;
    QTimer* m_pending = nullptr;
    QVBoxLayout* m_sections = nullptr;
    QLabel* m_heading = nullptr;
    QLabel* m_warning = nullptr;
    QTableWidget* m_modes = nullptr;
    QLabel* m_modesNote = nullptr;
    DiameterBar* m_bar = nullptr;
    QLabel* m_windowText = nullptr;
    SweepSection* m_sweep = nullptr;
    QLabel* m_horn = nullptr;
    QLabel* m_fineLo = nullptr;
    QLabel* m_fineLg = nullptr;
    QLabel* m_fineLo4 = nullptr;
    QLabel* m_fineLg4 = nullptr;
    QLabel* m_fineLg34 = nullptr;
    QLabel* m_fineR = nullptr;
    QLabel* m_finer = nullptr;
    QLabel* m_finePhi = nullptr;
};

} // namespace vlnokan
