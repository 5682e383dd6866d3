#include "app/VlnokanApplication.h"

#include "app/ApplicationTitle.h"
#include "app/HintStyle.h"
#include "app/MessageBoxes.h"
#include "core/Checked.h"
#include "core/ErrorText.h"
#include "core/Faults.h"

#include <QWidget>

#include <exception>

namespace vlnokan {

VlnokanApplication::VlnokanApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationTitle(titleFromExecutable(QString::fromLocal8Bit(argc > 0 ? argv[0] : "")));
    setStyle(new HintStyle);
    resetFloatingPoint();
}

bool VlnokanApplication::notify(QObject* receiver, QEvent* event) {
    // The message is taken out of the handler first: the box runs its own event loop, which
    // must not run inside the catch.
    std::string message;
    bool silent = false;
    try {
        return QApplication::notify(receiver, event);
    } catch (const EAbort&) {
        silent = true;
    } catch (const Exception& fault) {
        message = fault.message();
    } catch (const std::exception& fault) {
        message = fault.what();
    } catch (...) {
        message = "Unknown fault";
    }
    resetFloatingPoint();
    if (!silent)
        reportError(message);
    return false;
}

void VlnokanApplication::reportError(const std::string& message) {
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    MessageBoxes::get().showError(applicationTitle(),
                                  QString::fromStdString(errorBoxText(message)));
}

} // namespace vlnokan
