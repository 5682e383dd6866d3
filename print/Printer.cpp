#include "print/Printer.h"

#include "core/Faults.h"

namespace vlnokan {

TPrinter& TPrinter::shared() {
    static TPrinter printer;
    return printer;
}

TPrinter::~TPrinter() {
    if (m_printing)
        endDocAfterFault();
}

void TPrinter::beginDoc() {
    if (m_printing)
        throw EPrinter("Printing in progress");
    if (!m_device) {
        // The printer is looked up once; after that it stays, even when the system's default
        // changes.
        if (m_chosen.isEmpty()) {
            const QString name = PrintSystemSeam::get().defaultPrinter();
            if (name.isEmpty())
                throw EPrinter("There is no default printer currently selected");
            m_chosen = name;
        }
        m_device = PrintSystemSeam::get().open(m_chosen);
        if (!m_device)
            throw EPrinter("Printer selected is not valid");
    }
    QPaintDevice* page = m_device->startDocument(m_title);
    if (!page || !m_canvas.begin(page))
        throw EPrinter("Printer could not start the document");
    m_printing = true;
    m_aborted = false;
    m_pageNumber = 1;
}

bool TPrinter::closeDocument() {
    const bool drawn = m_canvas.end();
    // While the job is handed over, events run, so a second command sees the document open.
    const bool sent = m_device->sendDocument();
    m_printing = false;
    m_aborted = false;
    m_pageNumber = 0;
    return drawn && sent;
}

void TPrinter::endDoc() {
    if (!m_printing)
        throw EPrinter("Printer is not currently printing");
    if (!closeDocument()) {
        // The print system's own reason, where it gave one, goes on a line of its own.
        const QString reason = m_device->sendFailure();
        if (reason.isEmpty())
            throw EPrinter("Print job could not be sent to the printer");
        throw EPrinter("Print job could not be sent to the printer.\n" + reason.toStdString());
    }
}

void TPrinter::endDocAfterFault() noexcept {
    if (m_printing)
        closeDocument();
}

QPainter& TPrinter::canvas() {
    if (!m_printing)
        throw EPrinter("Printer is not currently printing");
    return m_canvas;
}

int TPrinter::dotsPerInchX() const {
    if (!m_printing)
        throw EPrinter("Printer is not currently printing");
    return m_device->dotsPerInchX();
}

int TPrinter::dotsPerInchY() const {
    if (!m_printing)
        throw EPrinter("Printer is not currently printing");
    return m_device->dotsPerInchY();
}

} // namespace vlnokan
