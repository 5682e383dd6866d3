#include "template/CoverText.h"

#include <QStringList>

namespace vlnokan::templ {

QString decimal(double value) {
    return QString::number(value, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString coverText(const pattern::Tiling& tiling) {
    const pattern::Pattern& p = tiling.pattern();
    const Design& d = p.design();
    const pattern::Options& o = p.options();
    const pattern::TilingOptions& t = tiling.options();
    QString frequency = QString::number(double(d.frequency), 'g', 10).replace('.', ',');
    QStringList lines{
        QStringLiteral("Kmitočet f = %1 GHz").arg(frequency),
        QStringLiteral("Průměr plechovky D = %1 mm, průměr ústí Du = %2 mm, úhel alfa = %3°")
            .arg(d.diameter)
            .arg(d.mouth)
            .arg(d.angle),
        QStringLiteral(
            "Poloměry výkroje: R = %1 mm, r = %2 mm; úhel výseče phi = %3° (na výkresu alfa)")
            .arg(decimal(p.outerRadius()), decimal(p.innerRadius()), decimal(p.sectorDeg())),
        QStringLiteral("Oblouky: vnější %1 mm, vnitřní %2 mm")
            .arg(decimal(p.outerArc()), decimal(p.innerArc())),
        QStringLiteral("Tětivy: vnější %1 mm, vnitřní %2 mm")
            .arg(decimal(p.outerChord()), decimal(p.innerChord())),
        QStringLiteral("Pás pro spoj %1 mm, tloušťka plechu %2 mm, dílů %3")
            .arg(decimal(o.seam), decimal(o.thickness))
            .arg(o.pieces),
        QStringLiteral("Papír %1 %2, okraj %3 mm, překryv %4 mm; listů %5 a tento titulní list")
            .arg(QString::fromStdString(t.paper.name),
                 tiling.landscape() ? QStringLiteral("na šířku") : QStringLiteral("na výšku"),
                 decimal(t.margin), decimal(t.overlap))
            .arg(tiling.sheets().size()),
    };
    if (o.thickness > 0)
        lines << QStringLiteral(
            "Výkroj je kreslen na střední ploše plechu: svinutá nálevka má uvnitř průměry D a Du.");
    lines << QString() << QStringLiteral("Postup:")
          << QStringLiteral("1. Tiskněte ve skutečné velikosti (100 %), bez přizpůsobení stránce. "
                            "Pravítkem ověřte, že měřítko na listu měří 100 mm.")
          << QStringLiteral("2. Listy rozložte podle mapy: písmeno je sloupec, číslo řádek. "
                            "U okrajů listu jsou jména sousedních listů.")
          << QStringLiteral(
                 "3. Sousední listy se překrývají o %1 mm. Přiložte je tak, aby se křížky "
                 "kryly, a slepte je.")
                 .arg(decimal(t.overlap))
          << QStringLiteral("4. Šablonu přilepte na plech a vystřihněte po plné čáře.");
    if (o.seam > 0)
        lines << QStringLiteral("5. Čárkovaná čára je ohyb pásu pro spoj: pás zasuňte pod protější "
                                "hranu a spájejte nebo snýtujte.");
    else
        lines << QStringLiteral("5. Svinuté hrany k sobě spájejte nebo spojte páskem.");
    if (o.pieces > 1)
        lines << QStringLiteral("6. Díly spojte za sebou, každý pás pod hranu dalšího dílu.");
    lines << QStringLiteral("Kratší oblouk patří k plechovce, delší tvoří ústí.");
    return lines.join(QLatin1Char('\n'));
}

} // namespace vlnokan::templ
