#include "details/DetailsWindow.h"

#include "core/Guard.h"

#include "calc/Details.h"
#include "details/DiameterBar.h"
#include "details/SweepSection.h"
#include "entry/Locale.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace vlnokan {

namespace {

std::string separator() {
    return entry::Locale::get().decimalSeparator();
}

QString fixed(Real value, int places) {
    return QString::fromStdString(details::decimals(value, places, separator()));
}

QString millimetres(const std::optional<Real>& value) {
    return value ? fixed(*value, 1) + QStringLiteral(" mm") : QStringLiteral("—");
}

const QString dash = QStringLiteral("—");

} // namespace

DetailsWindow::DetailsWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("DetailsWindow"));
    setWindowTitle(QStringLiteral("Podrobnosti antény"));
    resize(640, 760);

    m_pending = new QTimer(this);
    m_pending->setSingleShot(true);
    m_pending->setInterval(0);
    connect(m_pending, &QTimer::timeout, this, [this] { showDesign(m_design); });

    auto* content = new QWidget;
    m_sections = new QVBoxLayout(content);

    m_heading = new QLabel(content);
    m_heading->setObjectName(QStringLiteral("heading"));
    m_heading->setWordWrap(true);
    m_sections->addWidget(m_heading);

    m_warning = new QLabel(content);
    m_warning->setObjectName(QStringLiteral("warning"));
    m_warning->setWordWrap(true);
    m_warning->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    m_warning->hide();
    m_sections->addWidget(m_warning);

    QGroupBox* modes = group(QStringLiteral("Vidy ve vlnovodu (plechovce)"), "modesGroup");
    m_modes = new QTableWidget(0, 4, modes);
    m_modes->setObjectName(QStringLiteral("modes"));
    m_modes->setHorizontalHeaderLabels({QStringLiteral("Vid"), QStringLiteral("Mezní kmitočet"),
                                        QStringLiteral("Mezní vlnová délka"),
                                        QStringLiteral("Šíří se")});
    m_modes->verticalHeader()->hide();
    m_modes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_modes->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_modes->setMinimumHeight(200);
    m_modesNote = new QLabel(modes);
    m_modesNote->setWordWrap(true);
    modes->layout()->addWidget(m_modes);
    modes->layout()->addWidget(m_modesNote);

    QGroupBox* window =
        group(QStringLiteral("Průměr plechovky pro jediný vid TE11"), "windowGroup");
    m_bar = new DiameterBar(window);
    m_windowText = new QLabel(window);
    m_windowText->setObjectName(QStringLiteral("windowText"));
    m_windowText->setWordWrap(true);
    window->layout()->addWidget(m_bar);
    window->layout()->addWidget(m_windowText);

    QGroupBox* band = group(QStringLiteral("Místo sondy v pásmu"), "bandGroup");
    m_sweep = new SweepSection(band);
    band->layout()->addWidget(m_sweep);
    connect(m_sweep, &SweepSection::swept, this, &DetailsWindow::showWindow);

    QGroupBox* horn = group(QStringLiteral("Trychtýř: odhad zisku"), "hornGroup");
    m_horn = new QLabel(horn);
    m_horn->setObjectName(QStringLiteral("horn"));
    m_horn->setWordWrap(true);
    horn->layout()->addWidget(m_horn);

    QGroupBox* fine = group(QStringLiteral("Rozměry na 0,1 mm"), "fineGroup");
    auto* form = new QFormLayout;
    static_cast<QVBoxLayout*>(fine->layout())->addLayout(form);
    m_fineLo = figure(form, QStringLiteral("Lo"), "fineLo");
    m_fineLg = figure(form, QStringLiteral("Lg"), "fineLg");
    m_fineLo4 = figure(form, QStringLiteral("Lo/4 (délka sondy)"), "fineLo4");
    m_fineLg4 = figure(form, QStringLiteral("Lg/4 (sonda ode dna)"), "fineLg4");
    m_fineLg34 = figure(form, QStringLiteral("3/4 Lg (délka plechovky)"), "fineLg34");
    m_fineR = figure(form, QStringLiteral("R (rozvin, vnější poloměr)"), "fineR");
    m_finer = figure(form, QStringLiteral("r (rozvin, vnitřní poloměr)"), "finer");
    m_finePhi = figure(form, QStringLiteral("úhel výseče phi (na výkresu alfa)"), "finePhi");

    m_sections->addStretch();

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    showDesign(m_design);
}

QGroupBox* DetailsWindow::group(const QString& title, const char* name) {
    auto* box = new QGroupBox(title);
    box->setObjectName(QString::fromLatin1(name));
    new QVBoxLayout(box);
    // Before the stretch that keeps the sections at the top.
    const int at =
        m_sections->count() > 0 && m_sections->itemAt(m_sections->count() - 1)->spacerItem()
            ? m_sections->count() - 1
            : m_sections->count();
    m_sections->insertWidget(at, box);
    return box;
}

QLabel* DetailsWindow::figure(QFormLayout* form, const QString& name, const char* objectName) {
    auto* value = new QLabel;
    value->setObjectName(QString::fromLatin1(objectName));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(name + QStringLiteral(":"), value);
    return value;
}

void DetailsWindow::addSection(const QString& title, QWidget* section) {
    group(title, "addedGroup")->layout()->addWidget(section);
}

void DetailsWindow::followDesign(const Design& design) {
    m_design = design;
    m_pending->start();
}

void DetailsWindow::showDesign(const Design& design) {
    m_pending->stop();
    m_design = design;
    const bool shown = guarded(
        [&] {
            const details::Details d = details::describe(design);
            if (d.unavailable.empty())
                showDetails(d);
            else
                showNothing(QString::fromStdString(d.unavailable));
            return true;
        },
        false);
    if (!shown)
        showNothing(QStringLiteral("výpočet podrobností selhal"));
}

void DetailsWindow::showNothing(const QString& reason) {
    m_shown.reset();
    m_heading->setText(QStringLiteral("Podrobnosti nejsou k dispozici: %1.").arg(reason));
    m_warning->hide();
    m_modes->setRowCount(0);
    m_modesNote->clear();
    m_horn->clear();
    for (QLabel* label :
         {m_fineLo, m_fineLg, m_fineLo4, m_fineLg4, m_fineLg34, m_fineR, m_finer, m_finePhi})
        label->setText(dash);
    m_sweep->setDiameter(0);
}

void DetailsWindow::showDetails(const details::Details& d) {
    m_shown = d;
    m_heading->setText(QStringLiteral("Plechovka o průměru %1 mm na kmitočtu %2 GHz (poslední "
                                      "výpočet).")
                           .arg(d.diameter)
                           .arg(fixed(d.frequency, 3)));
    m_warning->setVisible(d.tooWide);
    m_warning->setText(d.tooWide
                           ? QString::fromStdString(details::tooWideWarning(d.window, separator()))
                           : QString());

    m_modes->setRowCount(int(d.modes.size()));
    for (int i = 0; i < int(d.modes.size()); ++i) {
        const details::ModeRow& row = d.modes[std::size_t(i)];
        const QStringList cells{QString::fromStdString(row.mode.name()),
                                fixed(row.cutoffFrequency, 3) + QStringLiteral(" GHz"),
                                fixed(row.cutoffWavelength, 1) + QStringLiteral(" mm"),
                                row.propagates ? QStringLiteral("ano") : QStringLiteral("ne")};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (row.propagates)
                item->setBackground(row.mode.name() == "TE11" ? QColor(200, 235, 200)
                                                              : QColor(245, 200, 200));
            m_modes->setItem(i, column, item);
        }
    }
    m_modesNote->setText(
        QStringLiteral("Plechovka vede %1 z uvedených vidů; vid se šíří, je-li kmitočet nad jeho "
                       "mezním kmitočtem.%2")
            .arg(d.propagating)
            .arg(d.modesCut ? QStringLiteral(" Vede i další vidy nad rámec tabulky.") : QString()));

    m_fineLo->setText(millimetres(d.fine.freeSpace));
    m_fineLg->setText(millimetres(d.fine.guide));
    m_fineLo4->setText(millimetres(d.fine.probeLength));
    m_fineLg4->setText(millimetres(d.fine.probePlace()));
    m_fineLg34->setText(millimetres(d.fine.canLength()));
    if (d.funnel) {
        const horn::Estimate& e = d.funnel->estimate;
        m_fineR->setText(millimetres(d.funnel->pattern.R));
        m_finer->setText(millimetres(d.funnel->pattern.r));
        m_finePhi->setText(fixed(d.funnel->pattern.phi, 2) + QStringLiteral("°"));
        const QString gain =
            e.directivity
                ? QStringLiteral("Směrovost asi %1 dBi.").arg(fixed(*e.directivity, 1))
                : QStringLiteral("Směrovost nelze odhadnout: ústí je pro tuto délku stěny a "
                                 "kmitočet mimo rozsah vzorce.");
        m_horn->setText(gain +
                        QStringLiteral(" Nejlepší ústí pro tuto délku stěny R je %1 mm. Jde o "
                                       "odhad pro ideální kuželový trychtýř podle učebnicového "
                                       "vzorce, ne o měření.")
                            .arg(fixed(e.optimumMouth, 1)));
    } else {
        for (QLabel* label : {m_fineR, m_finer, m_finePhi})
            label->setText(dash);
        m_horn->setText(QStringLiteral("Trychtýř nebyl spočítán."));
    }
    m_sweep->setDesign(d.frequency, d.diameter);
}

void DetailsWindow::showWindow() {
    if (!m_shown) {
        m_bar->clear();
        m_windowText->clear();
        return;
    }
    guarded([this] { showWindowOf(*m_shown); });
}

void DetailsWindow::showWindowOf(const details::Details& d) {
    std::optional<waveguide::DiameterWindow> band;
    if (m_sweep->result())
        band = m_sweep->result()->window;
    m_bar->setWindows(d.window, band, d.diameter);
    QString text =
        QStringLiteral("Pro %1 GHz: průměr mezi %2 a %3 mm (světle zeleně).")
            .arg(fixed(d.frequency, 3), fixed(d.window.smallest, 1), fixed(d.window.largest, 1));
    if (band)
        text +=
            band->empty()
                ? QStringLiteral(" Celé zvolené pásmo nepokryje žádná plechovka s jediným videm.")
                : QStringLiteral(" Pro celé zvolené pásmo: mezi %1 a %2 mm (tmavě zeleně).")
                      .arg(fixed(band->smallest, 1), fixed(band->largest, 1));
    text += QStringLiteral(" Tato plechovka: %1 mm (červeně).").arg(d.diameter);
    m_windowText->setText(text);
}

} // namespace vlnokan
