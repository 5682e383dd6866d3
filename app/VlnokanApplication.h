#pragma once

#include <QApplication>

#include <string>

namespace vlnokan {

// The application object. Every event of the program is dispatched through notify, the one
// place where a fault ending a handler (a button, the activation, a menu, a key in a box) is
// caught and shown in the error box; the program then goes on.
class VlnokanApplication final : public QApplication {
public:
    VlnokanApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows a fault's message in the error box, with its full stop, under the application title.
    static void reportError(const std::string& message);
};

} // namespace vlnokan
