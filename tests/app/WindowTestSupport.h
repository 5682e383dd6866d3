#pragma once

#include "app/Main.h"
#include "entry/Locale.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

namespace vlnokan::test {

// What a box showed and what the window's entries and fields read at that moment.
struct ShownBox {
    QString kind; // "notice" or "error"
    QString title;
    QString text;
    QString frequency, diameter, angle, mouth, lo;
};

// Stands in for the message boxes: answers each at once and records it.
class BoxRecorder final : public MessageBoxService {
public:
    explicit BoxRecorder(const TForm1* form = nullptr) : m_form(form) {}
    void setForm(const TForm1* form) { m_form = form; }

    void showNotice(const QString& title, const QString& text) override {
        record("notice", title, text);
    }
    void showError(const QString& title, const QString& text) override {
        record("error", title, text);
    }

    std::vector<ShownBox> boxes;

    QStringList texts() const {
        QStringList all;
        for (const ShownBox& box : boxes)
            all << box.kind + ": " + box.text;
        return all;
    }

private:
    void record(const QString& kind, const QString& title, const QString& text) {
        ShownBox box{kind, title, text, {}, {}, {}, {}, {}};
        if (m_form) {
            box.frequency = m_form->EditGHz->text();
            box.diameter = m_form->EditD->text();
            box.angle = m_form->EditAlfa->text();
            box.mouth = m_form->EditUsti->text();
            box.lo = m_form->EditLo->text();
        }
        boxes.push_back(box);
    }

    const TForm1* m_form = nullptr;
};

// A locale with a fixed decimal separator.
class FixedLocale final : public entry::LocaleSource {
public:
    explicit FixedLocale(std::string separator) : m_separator(std::move(separator)) {}
    std::string decimalSeparator() const override { return m_separator; }

private:
    std::string m_separator;
};

// Fails the test when a modal box stays open that the test did not expect: it closes the box (so
// nothing hangs) and records its caption.
class ModalWatchdog final {
public:
    ModalWatchdog() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { check(); });
        m_timer.start(50);
    }
    const QStringList& unexpected() const { return m_unexpected; }
    void clear() { m_unexpected.clear(); }

private:
    void check() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->property("expectedByTest").toBool())
            return;
        // A box the test is about to answer gets one tick's grace.
        if (modal != m_seen) {
            m_seen = modal;
            return;
        }
        m_unexpected << modal->windowTitle() + " / " + modal->objectName();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }

    QTimer m_timer;
    QPointer<QWidget> m_seen;
    QStringList m_unexpected;
};

// What a window test function runs under: the boxes answered and recorded, a watchdog against
// boxes nobody expects. Made in init(), checked and dropped in cleanup().
class AnsweredBoxes final {
public:
    void init() {
        boxes.boxes.clear();
        m_guard = std::make_unique<MessageBoxes::Replacement>(boxes);
        m_watchdog = std::make_unique<ModalWatchdog>();
    }
    void cleanup() {
        const QStringList unexpected = m_watchdog->unexpected();
        m_watchdog.reset();
        m_guard.reset();
        QCOMPARE(unexpected, QStringList());
    }

    BoxRecorder boxes;

private:
    std::unique_ptr<MessageBoxes::Replacement> m_guard;
    std::unique_ptr<ModalWatchdog> m_watchdog;
};

// A private runtime folder, so Qt does not warn about a shared one.
inline void usePrivateRuntimeDir() {
    static QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
}

// Faults a test lets past the guards on purpose; any other fault that reaches the event dispatch
// has unwound through Qt's frames and fails the test program.
inline int faultsPastTheGuardsExpected = 0;

inline int checkedExit(int result) {
    const int stray = VlnokanApplication::faultsPastTheGuards() - faultsPastTheGuardsExpected;
    if (stray != 0) {
        qCritical("%d fault(s) unwound through Qt's frames past the handlers' guards", stray);
        return result != 0 ? result : 1;
    }
    return result;
}

} // namespace vlnokan::test

// The tests run inside the program's own application object, so faults take the program's road.
#define VLNOKAN_WINDOW_TEST_MAIN(TestClass)                                                        \
    int main(int argc, char** argv) {                                                              \
        vlnokan::test::usePrivateRuntimeDir();                                                     \
        vlnokan::VlnokanApplication application(argc, argv);                                       \
        TestClass test;                                                                            \
        return vlnokan::test::checkedExit(QTest::qExec(&test, argc, argv));                        \
    }
