#include "app/TForm1.h"
#include "core/Guard.h"
#include "details/DetailsWindow.h"
#ifdef VLNOKAN_WITH_SIMULATION
#include "simview/SimulationPanel.h"
#endif

namespace vlnokan {

DetailsWindow* TForm1::detailsWindow() {
    if (!m_details) {
        // A window of its own beside the main one, closed with it.
        m_details = new DetailsWindow(this);
        m_details->followDesign(m_design);
        connect(this, &TForm1::designChanged, m_details,
                [this] { m_details->followDesign(m_design); });
#ifdef VLNOKAN_WITH_SIMULATION
        auto* simulation = new simview::SimulationPanel;
        simulation->setDesign(m_design);
        // A failed simulation reaches the error box from the panel's own handler, not
        // through Qt's frames.
        simulation->setFaultHandler(
            [](const std::exception_ptr& fault) { FaultHandler::get().handleFault(fault); });
        connect(this, &TForm1::designChanged, simulation,
                [this, simulation] { simulation->setDesign(m_design); });
        m_details->addSection(QStringLiteral("Simulace"), simulation);
#endif
    }
    return m_details;
}

void TForm1::Details1Click() {
    DetailsWindow* window = detailsWindow();
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace vlnokan
