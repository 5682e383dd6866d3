#include "entry/KeyFilters.h"
#include "entry/Separator.h"

#include <QTest>

#include <cstdlib>

using namespace vlnokan;

class TestSeparator final : public QObject {
    Q_OBJECT

private slots:
    void normalisesTheFirstSeparatorOnly_data() {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("comma locale keeps 2,4") << ","
                                                << "2,4"
                                                << "2,4";
        QTest::newRow("comma locale turns 2.45") << ","
                                                 << "2.45"
                                                 << "2,45";
        QTest::newRow("comma locale turns only the first point") << ","
                                                                 << "1.2.5"
                                                                 << "1,2.5";
        QTest::newRow("point locale turns 2,4") << "."
                                                << "2,4"
                                                << "2.4";
        QTest::newRow("point locale turns only the first comma") << "."
                                                                 << "2,4,5"
                                                                 << "2.4,5";
        QTest::newRow("point locale keeps 2.4") << "."
                                                << "2.4"
                                                << "2.4";
        QTest::newRow("other separator counts as point") << "\u066b"
                                                         << "2,4"
                                                         << "2.4";
        QTest::newRow("empty text") << ","
                                    << ""
                                    << "";
    }
    void normalisesTheFirstSeparatorOnly() {
        QFETCH(QString, separator);
        QFETCH(QString, text);
        QFETCH(QString, result);
        QCOMPARE(QString::fromStdString(
                     entry::normaliseSeparator(text.toStdString(), separator.toStdString())),
                 result);
    }

    // The sector angle: 18 significant digits first, then two decimals, half away from zero.
    void sectorAngleWithTwoDecimals_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::newRow("defaults under a comma") << QByteArray("123.2341") << ","
                                                << "123,23";
        QTest::newRow("defaults under a point") << QByteArray("123.2341") << "."
                                                << "123.23";
        QTest::newRow("nearly 180") << QByteArray("179.9758") << "."
                                    << "179.98";
        QTest::newRow("half goes up") << QByteArray("0.125") << "."
                                      << "0.13";
        QTest::newRow("just below a half after 18 digits goes up")
            << QByteArray("1.00499999999999999999") << "."
            << "1.01";
        QTest::newRow("2.675 reads as a half") << QByteArray("2.675") << "."
                                               << "2.68";
        QTest::newRow("carry into a new digit") << QByteArray("99.995") << "."
                                                << "100.00";
        QTest::newRow("negative away from zero") << QByteArray("-0.125") << "."
                                                 << "-0.13";
        QTest::newRow("whole number") << QByteArray("93") << ","
                                      << "93,00";
        QTest::newRow("small") << QByteArray("0.001") << "."
                               << "0.00";
        QTest::newRow("zero") << QByteArray("0") << "."
                              << "0.00";
        QTest::newRow("large") << QByteArray("123456789012.345") << "."
                               << "123456789012.35";
    }
    void sectorAngleWithTwoDecimals() {
        QFETCH(QByteArray, value);
        QFETCH(QString, separator);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(entry::formatTwoDecimals(
                     std::strtold(value.constData(), nullptr), separator.toStdString())),
                 text);
    }

    void keyFilters_data() {
        QTest::addColumn<uint>("key");
        QTest::addColumn<bool>("frequency");
        QTest::addColumn<bool>("integer");
        QTest::newRow("digit 0") << uint('0') << true << true;
        QTest::newRow("digit 9") << uint('9') << true << true;
        QTest::newRow("backspace") << 8u << true << true;
        QTest::newRow("comma") << uint(',') << true << false;
        QTest::newRow("point") << uint('.') << true << false;
        QTest::newRow("minus") << uint('-') << false << false;
        QTest::newRow("letter e") << uint('e') << false << false;
        QTest::newRow("blank") << uint(' ') << false << false;
        QTest::newRow("Ctrl+C") << 3u << false << false;
        QTest::newRow("Ctrl+V") << 22u << false << false;
        QTest::newRow("Ctrl+X") << 24u << false << false;
        QTest::newRow("Ctrl+Z") << 26u << false << false;
        QTest::newRow("Enter") << 13u << false << false;
        QTest::newRow("Arabic-Indic digit") << 0x663u << false << false;
    }
    void keyFilters() {
        QFETCH(uint, key);
        QFETCH(bool, frequency);
        QFETCH(bool, integer);
        QCOMPARE(entry::frequencyKeyAccepted(char32_t(key)), frequency);
        QCOMPARE(entry::integerKeyAccepted(char32_t(key)), integer);
    }
};

QTEST_GUILESS_MAIN(TestSeparator)
#include "tst_separator.moc"
