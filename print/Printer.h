#pragma once

#include "print/PrintSystem.h"

#include <QPainter>
#include <QString>

#include <memory>

namespace vlnokan {

// The shared printer object: the default printer, chosen at the first document and kept for the
// process, and the one document of one page that may be open on it.
class TPrinter final {
public:
    // The process's printer object, made at first use.
    static TPrinter& shared();

    TPrinter() = default;
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Opens a document of one page with an empty name. EPrinter when one is open already, when
    // there is no default printer, when the printer cannot be opened or the document not
    // started; EOSError when the print system cannot be asked.
    void beginDoc();
    // Ends the page and hands it to the print system. EPrinter when no document is open or the
    // print system refuses the job; the document is closed in either case.
    void endDoc();
    // As endDoc, for a command that is already ending with a fault: the page goes out as far as
    // it was drawn and a refusal is not reported over that fault.
    void endDocAfterFault() noexcept;

    // The painter of the open page; EPrinter when no document is open.
    QPainter& canvas();
    int dotsPerInchX() const;
    int dotsPerInchY() const;

    bool printing() const { return m_printing; }
    bool aborted() const { return m_aborted; }
    int pageNumber() const { return m_pageNumber; }
    const QString& title() const { return m_title; }
    const QString& printerName() const { return m_chosen; }

private:
    bool closeDocument();

    QString m_chosen;
    std::unique_ptr<PrinterDevice> m_device;
    QPainter m_canvas;
    bool m_printing = false;
    bool m_aborted = false;
    int m_pageNumber = 0;
    QString m_title;
};

} // namespace vlnokan
