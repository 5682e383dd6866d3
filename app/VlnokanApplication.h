#pragma once

#include "core/Guard.h"

#include <QApplication>

#include <memory>
#include <string>

namespace vlnokan {

// The application object. It holds the program's one error handler: every handler that the
// toolkit enters (a button, the activation, a menu, a key in a box) runs guarded and hands its
// fault here; the error box shows it and the program goes on.
class VlnokanApplication final : public QApplication {
public:
    VlnokanApplication(int& argc, char** argv);
    ~VlnokanApplication() override;

    // A fault that still reaches the event dispatch has slipped past a guard and unwound through
    // the toolkit's frames: it is reported all the same, and counted.
    bool notify(QObject* receiver, QEvent* event) override;
    static int faultsPastTheGuards();

    // Shows a fault's message in the error box, with its full stop, under the application title.
    static void reportError(const std::string& message);

private:
    class ErrorHandler;
    std::unique_ptr<ErrorHandler> m_errorHandler;
    std::unique_ptr<FaultHandler::Replacement> m_errorHandlerInstalled;
};

} // namespace vlnokan
