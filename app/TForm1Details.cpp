#include "app/TForm1.h"
#include "app/WidthWarning.h"
#include "app/WindowPlacement.h"
#include "core/Guard.h"
#include "details/DetailsWindow.h"
#include "entry/Locale.h"
#include "fonts/Fonts.h"
#ifdef VLNOKAN_WITH_SIMULATION
#include "simview/SimulationPanel.h"
#endif

namespace vlnokan {

namespace {

// Below this the details window is not worth opening beside the main one; it goes below it.
constexpr QSize smallestDetails(320, 240);

} // namespace

void TForm1::addWidthWarning() {
    // In the free space under the can's result fields, left of "Výpočet"; it ends level with the
    // button, so a finer screen's client area scrolls exactly as far as without it.
    m_widthWarning = new WidthWarning(m_client);
    m_widthWarning->setFont(ownFont(Face::Arial, 11, true));
    place(m_widthWarning, QRect(24, 420, 552, 29));
    connect(this, &TForm1::designChanged, m_widthWarning, [this] {
        guarded(
            [this] { m_widthWarning->follow(m_design, entry::Locale::get().decimalSeparator()); });
    });
    connect(m_widthWarning, &WidthWarning::clicked, this,
            guardedSlot(this, &TForm1::Details1Click));
}

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
    // Where it covers none of the main window's controls; once open, it stays where the user
    // put it.
    if (!window->isVisible())
        placeBeside(*window, *this, smallestDetails);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace vlnokan
