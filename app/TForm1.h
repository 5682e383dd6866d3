#pragma once

#include "calc/Design.h"
#include "diagrams/DiagramView.h"
#include "diagrams/Diagram.h"

#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QKeyEvent;
class QPushButton;
class QScrollArea;

namespace vlnokan {

class TJvHotLink;
class DetailsWindow;
class WidthWarning;
namespace templ {
class TemplateDialog;
}

enum class Face;

// The main window: the can and funnel drawings, the four entries, the four result fields and
// the Calculate button, placed at their design pixels (scaled for another screen resolution).
class TForm1 final : public QWidget {
    Q_OBJECT

public:
    // screenDpi: the screen's logical resolution, read once at start (0: ask the screen).
    explicit TForm1(int screenDpi = 0, QWidget* parent = nullptr);
    ~TForm1() override;

    // Handlers.
    void FormActivate();
    void BitBtnCalcClick();
    void Print1Click();
    void Template1Click();
    void rint1Click();
    void Details1Click();
    // Key filters: key is the typed character; returns it, or 0 to discard it.
    char32_t EditGHzKeyPress(char32_t key);
    char32_t EditDKeyPress(char32_t key);

    // The resolution the window was laid out for; printing scales with it.
    int pixelsPerInch() const { return m_pixelsPerInch; }
    void setPixelsPerInch(int dpi) { m_pixelsPerInch = dpi; }
    // The decimal separator stored at activation.
    const std::string& decimalSeparator() const { return m_separator; }
    bool activated() const { return m_activated; }
    // The ratio controls were scaled by (1 at the design resolution).
    double layoutScale() const { return m_scale; }
    // Where the controls live (a scrolled client area).
    QWidget* client() const { return m_client; }

    DiagramView* Image1 = nullptr;
    DiagramView* Image2 = nullptr;
    TJvHotLink* JvHotLink1 = nullptr;
    TJvHotLink* JvHotLink2 = nullptr;
    QLineEdit* EditLo = nullptr;
    QLineEdit* EditLg = nullptr;
    QLineEdit* EditLo4 = nullptr;
    QLineEdit* EditLg4 = nullptr;
    QPushButton* BitBtnCalc = nullptr;
    QLineEdit* EditD = nullptr;
    QLineEdit* EditGHz = nullptr;
    QLineEdit* EditAlfa = nullptr;
    QLineEdit* EditUsti = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* Print1 = nullptr;
    // "Šablona 1:1…" on the funnel drawing's menu: the cutting template at full size.
    QAction* Template1 = nullptr;
    QAction* rint1 = nullptr;
    QAction* Details1 = nullptr;

    LabelSlots& labelSlots() { return *m_slots; }

    // The antenna as far as the last Calculate made it final; windows that follow the
    // calculation (template, details) read it when designChanged is emitted.
    const Design& design() const { return m_design; }
    void setDesign(const Design& design);
    // The antenna details window, made on first use; it follows every calculation.
    DetailsWindow* detailsWindow();

signals:
    void designChanged();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool pressCalcOnEnter(const QKeyEvent& key);
    // Whether the entry's key filter discards the key.
    bool filterEntryKey(bool frequency, const QKeyEvent& key);
    void createControls();
    void addWidthWarning();
    QLabel* addStatic(const char* name, QRect design, const QString& text);
    QLineEdit* addEdit(const char* name, QRect design, const QString& text, bool readOnly);
    void place(QWidget* control, QRect design);
    QFont ownFont(Face face, int pixelHeight, bool bold) const;
    void orderTabs();
    void fitClient();

    int m_pixelsPerInch = 96;
    double m_scale = 1.0;
    int m_fontPixels = 11;
    bool m_activated = false;
    std::string m_separator;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_client = nullptr;
    std::unique_ptr<LabelSlots> m_slots;
    Design m_design;
    DetailsWindow* m_details = nullptr;
    WidthWarning* m_widthWarning = nullptr;
    templ::TemplateDialog* m_templateDialog = nullptr;
};

} // namespace vlnokan
