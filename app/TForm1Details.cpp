#include "app/TForm1.h"
#include "app/VlnokanApplication.h"
#include "details/DetailsWindow.h"

namespace vlnokan {

DetailsWindow* TForm1::detailsWindow() {
    if (!m_details) {
        // A window of its own beside the main one, closed with it.
        m_details = new DetailsWindow(this);
        m_details->setErrorReporter(&VlnokanApplication::reportError);
        m_details->showDesign(m_design);
        connect(this, &TForm1::designChanged, m_details,
                [this] { m_details->followDesign(m_design); });
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
