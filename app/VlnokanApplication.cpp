#include "app/VlnokanApplication.h"

#include "app/ApplicationTitle.h"
#include "app/HintStyle.h"
#include "app/MessageBoxes.h"
#include "core/Checked.h"
#include "core/ErrorText.h"

#include <QWidget>

namespace vlnokan {

namespace {

int s_faultsPastTheGuards = 0;

// Qt scales windows by the screen's resolution over 96 dpi. A fractional ratio (120 dpi gives
// 1.25) would stretch the drawings' pixels unevenly; rounded to a whole ratio, the window scales
// its controls and fonts by itself and the drawings keep their pixels. This must be settled
// before the application object exists.
int& wholeScreenScaling(int& argc) {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    return argc;
}

} // namespace

class VlnokanApplication::ErrorHandler final : public FaultHandlerService {
public:
    void handleFault(std::exception_ptr fault) override {
        if (QWidget* grabber = QWidget::mouseGrabber())
            grabber->releaseMouse();
        resetFloatingPoint();
        const FaultText text = faultText(std::move(fault));
        if (!text.silent)
            reportError(text.message);
    }
};

VlnokanApplication::VlnokanApplication(int& argc, char** argv)
    : QApplication(wholeScreenScaling(argc), argv),
      m_errorHandler(std::make_unique<ErrorHandler>()),
      m_errorHandlerInstalled(std::make_unique<FaultHandler::Replacement>(*m_errorHandler)) {
    setApplicationTitle(titleFromExecutable(QString::fromLocal8Bit(argc > 0 ? argv[0] : "")));
    setStyle(new HintStyle);
    resetFloatingPoint();
}

VlnokanApplication::~VlnokanApplication() = default;

bool VlnokanApplication::notify(QObject* receiver, QEvent* event) {
    std::exception_ptr fault;
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        fault = std::current_exception();
    }
    ++s_faultsPastTheGuards;
    FaultHandler::get().handleFault(std::move(fault));
    return false;
}

int VlnokanApplication::faultsPastTheGuards() {
    return s_faultsPastTheGuards;
}

void VlnokanApplication::reportError(const std::string& message) {
    MessageBoxes::get().showError(applicationTitle(),
                                  QString::fromStdString(errorBoxText(message)));
}

} // namespace vlnokan
