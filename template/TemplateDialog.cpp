#include "template/TemplateDialog.h"

#include "core/Faults.h"
#include "core/Guard.h"
#include "template/FileChooser.h"
#include "template/TemplatePreview.h"
#include "template/TemplatePrinter.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vlnokan::templ {

namespace {

QDoubleSpinBox* millimetres(double value, double maximum, double step) {
    auto* box = new QDoubleSpinBox;
    box->setRange(0, maximum);
    box->setDecimals(1);
    box->setSingleStep(step);
    box->setValue(value);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

QString sheetsText(qsizetype count) {
    if (count == 1)
        return QStringLiteral("1 list");
    if (count >= 2 && count <= 4)
        return QStringLiteral("%1 listy").arg(count);
    return QStringLiteral("%1 listů").arg(count);
}

} // namespace

TemplateDialog::TemplateDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Šablona nálevky 1:1"));
    paperBox = new QComboBox;
    for (const pattern::Paper& paper : pattern::papers())
        paperBox->addItem(QString::fromStdString(paper.name));
    overlapBox = millimetres(10, 50, 1);
    seamBox = millimetres(10, 50, 1);
    thicknessBox = millimetres(0, 5, 0.1);
    piecesBox = new QSpinBox;
    piecesBox->setRange(1, 12);
    countLabel = new QLabel;
    printLabel = new QLabel;
    printLabel->setWordWrap(true);
    preview = new TemplatePreview;
    printButton = new QPushButton(QStringLiteral("Tisknout"));
    pdfButton = new QPushButton(QStringLiteral("Uložit PDF…"));
    svgButton = new QPushButton(QStringLiteral("Uložit SVG…"));
    dxfButton = new QPushButton(QStringLiteral("Uložit DXF…"));
    auto* closeButton = new QPushButton(QStringLiteral("Zavřít"));
    // Enter confirms a value typed into a box; it must not print or save.
    for (QPushButton* button : {printButton, pdfButton, svgButton, dxfButton, closeButton})
        button->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Papír:"), paperBox);
    form->addRow(QStringLiteral("Překryv listů:"), overlapBox);
    form->addRow(QStringLiteral("Pás pro spoj:"), seamBox);
    form->addRow(QStringLiteral("Tloušťka plechu:"), thicknessBox);
    form->addRow(QStringLiteral("Počet dílů:"), piecesBox);
    form->addRow(countLabel);
    form->addRow(printLabel);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {printButton, pdfButton, svgButton, dxfButton})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(preview, 1);

    connect(paperBox, &QComboBox::currentIndexChanged, this,
            [this] { guarded([this] { refresh(); }); });
    for (QDoubleSpinBox* box : {overlapBox, seamBox, thicknessBox})
        connect(box, &QDoubleSpinBox::valueChanged, this,
                [this] { guarded([this] { refresh(); }); });
    connect(piecesBox, &QSpinBox::valueChanged, this, [this] { guarded([this] { refresh(); }); });
    connect(printButton, &QPushButton::clicked, this, [this] { guarded([this] { print(); }); });
    connect(pdfButton, &QPushButton::clicked, this,
            [this] { guarded([this] { save(FileFormat::Pdf); }); });
    connect(svgButton, &QPushButton::clicked, this,
            [this] { guarded([this] { save(FileFormat::Svg); }); });
    connect(dxfButton, &QPushButton::clicked, this,
            [this] { guarded([this] { save(FileFormat::Dxf); }); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    refresh();
}

void TemplateDialog::setDesign(const Design& design) {
    m_design = design;
    guarded([this] { refresh(); });
}

pattern::Options TemplateDialog::patternOptions() const {
    return {seamBox->value(), thicknessBox->value(), piecesBox->value()};
}

void TemplateDialog::refresh() {
    m_pattern.reset();
    m_tiling.reset();
    QString why = QStringLiteral("Nálevka není spočítaná.");
    if (m_design.funnelKnown) {
        // Options that do not fit this funnel or this paper are told here, not as a fault.
        try {
            m_pattern = pattern::Pattern::develop(m_design, patternOptions());
            const auto paper = pattern::paperNamed(paperBox->currentText().toStdString());
            m_tiling = pattern::Tiling::arrange(*m_pattern, {*paper, 5, overlapBox->value()});
        } catch (const Exception& fault) {
            why = QString::fromStdString(fault.message());
        }
    }
    preview->setTiling(m_tiling);
    countLabel->setText(m_tiling ? QStringLiteral("%1 (%2) a titulní list")
                                       .arg(sheetsText(qsizetype(m_tiling->sheets().size())),
                                            m_tiling->landscape() ? QStringLiteral("na šířku")
                                                                  : QStringLiteral("na výšku"))
                                 : why);
    printLabel->setText(printerText());
    printButton->setEnabled(m_tiling.has_value());
    pdfButton->setEnabled(m_tiling.has_value());
    svgButton->setEnabled(m_pattern.has_value());
    dxfButton->setEnabled(m_pattern.has_value());
}

QString TemplateDialog::printerText() const {
    if (!m_tiling)
        return {};
    try {
        const PrinterTiling printed = tileForPrinter(m_tiling->pattern(), overlapBox->value());
        const pattern::Tiling& tiling = printed.tiling;
        return QStringLiteral("Tisk na %1: papír %2, okraj %3 mm, %4 a titulní list")
            .arg(printed.printer, QString::fromStdString(tiling.options().paper.name),
                 QString::number(tiling.options().margin),
                 sheetsText(qsizetype(tiling.sheets().size())));
    } catch (const Exception& fault) {
        return QStringLiteral("Tisk: ") + QString::fromStdString(fault.message());
    }
}

void TemplateDialog::print() {
    if (m_tiling)
        printTemplate(m_tiling->pattern(), overlapBox->value());
}

void TemplateDialog::save(FileFormat format) {
    if (format == FileFormat::Pdf ? !m_tiling : !m_pattern)
        return;
    static const char* const filters[] = {"PDF (*.pdf)", "SVG (*.svg)", "DXF (*.dxf)"};
    static const char* const suffixes[] = {"pdf", "svg", "dxf"};
    const int which = int(format);
    QString path = FileChooserSeam::get().saveFileName(this, QStringLiteral("Uložit šablonu"),
                                                       QString::fromLatin1(filters[which]));
    if (path.isEmpty())
        return;
    if (formatOf(path) != format)
        path += QLatin1Char('.') + QLatin1String(suffixes[which]);
    if (format == FileFormat::Pdf)
        saveTemplate(path, format, *m_tiling);
    else
        savePattern(path, format, *m_pattern);
}

} // namespace vlnokan::templ
