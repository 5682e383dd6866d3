#include "app/TForm1.h"

#include "widgets/InfoLinks.h"

#include "core/Guard.h"
#include "diagrams/Drawings.h"
#include "fonts/Fonts.h"

#include <QAction>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>

#include <cmath>

namespace vlnokan {

namespace {

// The window's client area at the design resolution (an outer size of 802 × 488 with the
// frame of the desktop it was drawn on).
constexpr QSize designClient(794, 461);
// The window font's character height at 96 pixels per inch.
constexpr int designFontPixels = 11;
const QString pictureHint = QStringLiteral("Print = pr. tl. myši");

int screenLogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? int(std::lround(screen->logicalDotsPerInch())) : 96;
}

int roundHalfUp(double value) {
    return int(std::floor(value + 0.5));
}

} // namespace

TForm1::TForm1(int screenDpi, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vlnokan"));
    setBackgroundRole(QPalette::Window);
    m_pixelsPerInch = screenDpi > 0 ? screenDpi : screenLogicalDpi();

    // On another resolution the window font grows with the screen; the controls follow the
    // font's text height (the stand-in faces' own height at the design resolution is the
    // reference, so a 96-dpi screen lays out exactly as designed).
    m_fontPixels = roundHalfUp(designFontPixels * m_pixelsPerInch / 96.0);
    const QFont windowFont = Fonts::get().font(Face::Arial, m_fontPixels, false);
    const int designTextHeight =
        QFontMetrics(Fonts::get().font(Face::Arial, designFontPixels, false)).height();
    const int textHeight = QFontMetrics(windowFont).height();
    if (textHeight != designTextHeight && designTextHeight > 0)
        m_scale = double(textHeight) / designTextHeight;
    setFont(windowFont);

    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);
    m_scroll->setBackgroundRole(QPalette::Window);
    // Only the entries, the fields and the button take the focus: neither a Tab nor a click on
    // the background or a drawing may park it on the scrolled area around them.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_client = new QWidget;
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setBackgroundRole(QPalette::Window);
    m_scroll->setWidget(m_client);

    createControls();
    orderTabs();
    resize(designClient);
    m_scroll->setGeometry(rect());
    fitClient();
}

TForm1::~TForm1() = default;

void TForm1::place(QWidget* control, QRect design) {
    control->setGeometry(roundHalfUp(design.x() * m_scale), roundHalfUp(design.y() * m_scale),
                         roundHalfUp(design.width() * m_scale),
                         roundHalfUp(design.height() * m_scale));
}

QFont TForm1::ownFont(Face face, int pixelHeight, bool bold) const {
    return Fonts::get().font(face, std::max(1, roundHalfUp(pixelHeight * m_scale)), bold);
}

QLabel* TForm1::addStatic(const char* name, QRect design, const QString& text) {
    auto* label = new QLabel(text, m_client);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    place(label, design);
    return label;
}

QLineEdit* TForm1::addEdit(const char* name, QRect design, const QString& text, bool readOnly) {
    auto* edit = new QLineEdit(text, m_client);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(readOnly);
    edit->setFocusPolicy(Qt::StrongFocus);
    if (readOnly) {
        // The read-only fields stand out from the entries in the desktop's inactive tone.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Inactive, QPalette::Midlight));
        edit->setPalette(palette);
    } else {
        edit->installEventFilter(this);
    }
    place(edit, design);
    return edit;
}

void TForm1::createControls() {
    auto makePicture = [this](Diagram diagram, const char* name, QRect design) {
        diagram.setScreenDpi(m_pixelsPerInch);
        auto* view = new DiagramView(std::move(diagram), m_client);
        view->setObjectName(QString::fromLatin1(name));
        view->setToolTip(pictureHint);
        view->setToolTipDuration(2500);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        // The pictures keep their pixels; only their places follow the layout's scale.
        const QRect scaled(roundHalfUp(design.x() * m_scale), roundHalfUp(design.y() * m_scale),
                           design.width(), design.height());
        view->setGeometry(scaled);
        return view;
    };
    Image1 = makePicture(makeCanDiagram(), "Image1", QRect(16, 64, 457, 225));
    Image2 = makePicture(makeFunnelDiagram(), "Image2", QRect(472, 48, 305, 257));
    m_slots = std::make_unique<LabelSlots>(Image1->diagram(), Image2->diagram());

    // The links size themselves to their addresses; only their top-left corners follow the scale.
    auto scaledPlace = [this](QPoint design) {
        return QPoint(roundHalfUp(design.x() * m_scale), roundHalfUp(design.y() * m_scale));
    };
    const int linkPixels = std::max(1, roundHalfUp(11 * m_scale));
    JvHotLink1 = makeInfoLink(m_client, QStringLiteral("JvHotLink1"),
                              scaledPlace(infolinks::hornPlace), infolinks::hornUrl, linkPixels);
    JvHotLink2 =
        makeInfoLink(m_client, QStringLiteral("JvHotLink2"), scaledPlace(infolinks::cantennaPlace),
                     infolinks::cantennaUrl, linkPixels);

    addStatic("StaticTextGHz", QRect(58, 330, 14, 18), QStringLiteral("f="));
    addStatic("StaticTextD", QRect(286, 330, 20, 18), QStringLiteral("mm"));
    addStatic("StaticText3", QRect(214, 330, 17, 18), QStringLiteral("D="));
    addStatic("StaticText4", QRect(134, 330, 25, 18), QStringLiteral("GHz"));
    addStatic("StaticText1", QRect(50, 362, 16, 18), QStringLiteral("Lo"));
    addStatic("StaticText2", QRect(286, 362, 20, 18), QStringLiteral("mm"));
    addStatic("StaticText5", QRect(206, 362, 25, 18), QStringLiteral("Lo/4"));
    addStatic("StaticText6", QRect(134, 362, 20, 18), QStringLiteral("mm"));
    addStatic("StaticText7", QRect(50, 394, 16, 18), QStringLiteral("Lg"));
    addStatic("StaticText8", QRect(286, 394, 20, 18), QStringLiteral("mm"));
    addStatic("StaticText9", QRect(206, 394, 25, 18), QStringLiteral("Lg/4"));
    addStatic("StaticText10", QRect(134, 394, 20, 18), QStringLiteral("mm"));
    EditLo = addEdit("EditLo", QRect(80, 360, 42, 22), QStringLiteral("125"), true);
    EditLg = addEdit("EditLg", QRect(80, 392, 42, 22), QStringLiteral("184"), true);
    EditLo4 = addEdit("EditLo4", QRect(240, 360, 42, 22), QStringLiteral("31"), true);
    EditLg4 = addEdit("EditLg4", QRect(240, 392, 42, 22), QStringLiteral("46"), true);

    BitBtnCalc = new QPushButton(QStringLiteral("Výpočet"), m_client);
    BitBtnCalc->setObjectName(QStringLiteral("BitBtnCalc"));
    BitBtnCalc->setFont(ownFont(Face::Arial, 11, false));
    BitBtnCalc->setAutoDefault(false);
    BitBtnCalc->installEventFilter(this);
    place(BitBtnCalc, QRect(584, 424, 75, 25));
    connect(BitBtnCalc, &QPushButton::clicked, this, guardedSlot(this, &TForm1::BitBtnCalcClick));

    auto coloured = [](QLabel* label, const QColor& colour) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    };
    QLabel* tested = addStatic("StaticText11", QRect(24, 296, 427, 20),
                               QStringLiteral("Ověřená délka zářiče pro 2.4 Ghz d/L = 1.4/30; "
                                              "2/28; 3/26 mm"));
    tested->setFont(ownFont(Face::MsSansSerif, 13, true));
    coloured(tested, QColor(255, 0, 0));
    QLabel* canHeading =
        addStatic("StaticText12", QRect(56, 8, 313, 28), QStringLiteral("Výpočet antény Vlnokan"));
    canHeading->setFont(ownFont(Face::MsSansSerif, 19, true));
    coloured(canHeading, QColor(0, 0, 255));
    addStatic("StaticText13", QRect(482, 394, 33, 18), QStringLiteral("Alfa ="));
    addStatic("StaticText14", QRect(574, 394, 37, 18), QStringLiteral("stupňů"))
        ->setFont(ownFont(Face::Arial, 11, false));
    addStatic("StaticText15", QRect(726, 394, 20, 18), QStringLiteral("mm"));
    addStatic("StaticText16", QRect(646, 394, 26, 18), QStringLiteral("Du ="));
    QLabel* funnelHeading =
        addStatic("StaticText17", QRect(544, 8, 154, 28), QStringLiteral("Rozvin trychtýře"));
    funnelHeading->setFont(ownFont(Face::MsSansSerif, 19, true));
    coloured(funnelHeading, QColor(0, 0, 255));
    QLabel* moreInfo =
        addStatic("StaticText18", QRect(416, 328, 96, 20), QStringLiteral("Bližší info na "));
    moreInfo->setFont(ownFont(Face::MsSansSerif, 13, true));
    coloured(moreInfo, QColor(255, 0, 0));

    EditD = addEdit("EditD", QRect(240, 328, 42, 22), QStringLiteral("85"), false);
    EditGHz = addEdit("EditGHz", QRect(80, 328, 42, 22), QStringLiteral("2,4"), false);
    EditAlfa = addEdit("EditAlfa", QRect(520, 392, 42, 22), QStringLiteral("40"), false);
    EditUsti = addEdit("EditUsti", QRect(672, 392, 42, 22), QStringLiteral("300"), false);
    addStatic("StaticText19", QRect(510, 370, 71, 18), QStringLiteral("úhel trychtýře"))
        ->setFont(ownFont(Face::Arial, 11, false));
    addStatic("StaticText20", QRect(646, 370, 105, 18), QStringLiteral("průměr ústí trychtýře"))
        ->setFont(ownFont(Face::Arial, 11, false));

    // Image2 lies on top of Image1 where the two overlap.
    Image2->raise();
    addWidthWarning();

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Print1 = PopupMenu1->addAction(QStringLiteral("Print"));
    Print1->setObjectName(QStringLiteral("Print1"));
    connect(Print1, &QAction::triggered, this, guardedSlot(this, &TForm1::Print1Click));
    Template1 = PopupMenu1->addAction(QStringLiteral("Šablona 1:1…"));
    Template1->setObjectName(QStringLiteral("Template1"));
    // Only a complete funnel has a pattern to cut.
    Template1->setEnabled(m_design.funnelKnown);
    connect(Template1, &QAction::triggered, this, guardedSlot(this, &TForm1::Template1Click));
    connect(this, &TForm1::designChanged, Template1,
            [this] { Template1->setEnabled(m_design.funnelKnown); });
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    rint1 = PopupMenu2->addAction(QStringLiteral("Print"));
    rint1->setObjectName(QStringLiteral("rint1"));
    connect(rint1, &QAction::triggered, this, guardedSlot(this, &TForm1::rint1Click));
    Details1 = PopupMenu2->addAction(QStringLiteral("Podrobnosti antény…"));
    Details1->setObjectName(QStringLiteral("Details1"));
    connect(Details1, &QAction::triggered, this, guardedSlot(this, &TForm1::Details1Click));
    connect(Image2, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { guarded([&] { PopupMenu1->popup(Image2->mapToGlobal(at)); }); });
    connect(Image1, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { guarded([&] { PopupMenu2->popup(Image1->mapToGlobal(at)); }); });
}

void TForm1::orderTabs() {
    QWidget* const order[] = {EditLo, EditLg,  EditLo4,  EditLg4, BitBtnCalc,
                              EditD,  EditGHz, EditAlfa, EditUsti};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TForm1::fitClient() {
    // Controls enlarged for a finer screen may not fit the fixed window: the client scrolls.
    QRect extent(QPoint(0, 0), m_scroll->viewport()->size());
    for (const QWidget* child : m_client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        extent |= child->geometry();
    m_client->resize(extent.size());
}

} // namespace vlnokan
