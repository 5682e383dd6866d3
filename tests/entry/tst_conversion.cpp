#include "entry/Conversion.h"
#include "tests/support/Faults.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <cstdlib>

using namespace vlnokan;

class TestConversion final : public QObject {
    Q_OBJECT

private slots:
    void integerTexts_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("converts");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << QByteArray("85") << true << 85;
        QTest::newRow("leading zeros") << QByteArray("007") << true << 7;
        QTest::newRow("many leading zeros") << QByteArray("000000000000000000085") << true << 85;
        QTest::newRow("leading blank") << QByteArray(" 85") << true << 85;
        QTest::newRow("leading blanks and sign") << QByteArray("   -5") << true << -5;
        QTest::newRow("plus sign") << QByteArray("+5") << true << 5;
        QTest::newRow("zero") << QByteArray("0") << true << 0;
        QTest::newRow("largest") << QByteArray("2147483647") << true << 2147483647;
        QTest::newRow("smallest") << QByteArray("-2147483648") << true << int(-2147483647 - 1);
        QTest::newRow("dollar hex") << QByteArray("$FF") << true << 255;
        QTest::newRow("x hex lower digits") << QByteArray("x1f") << true << 31;
        QTest::newRow("X hex") << QByteArray("X1F") << true << 31;
        QTest::newRow("0x hex") << QByteArray("0x10") << true << 16;
        QTest::newRow("0X hex") << QByteArray("0X10") << true << 16;
        QTest::newRow("hex all ones is minus one") << QByteArray("$FFFFFFFF") << true << -1;
        QTest::newRow("hex top bit is negative")
            << QByteArray("$80000000") << true << int(-2147483647 - 1);
        QTest::newRow("negated hex") << QByteArray("-$10") << true << -16;
        QTest::newRow("negated hex minus one") << QByteArray("-$FFFFFFFF") << true << 1;
        QTest::newRow("negated smallest wraps")
            << QByteArray("-$80000000") << true << int(-2147483647 - 1);
        QTest::newRow("hex leading zeros do not count") << QByteArray("$000000000001") << true << 1;
        QTest::newRow("blank then hex") << QByteArray("  0x7fffffff") << true << 2147483647;
        QTest::newRow("empty") << QByteArray("") << false << 0;
        QTest::newRow("blanks only") << QByteArray("   ") << false << 0;
        QTest::newRow("trailing blank") << QByteArray("85 ") << false << 0;
        QTest::newRow("lone plus") << QByteArray("+") << false << 0;
        QTest::newRow("lone minus") << QByteArray("-") << false << 0;
        QTest::newRow("blank after sign") << QByteArray("- 5") << false << 0;
        QTest::newRow("two signs") << QByteArray("+-5") << false << 0;
        QTest::newRow("one above largest") << QByteArray("2147483648") << false << 0;
        QTest::newRow("one below smallest") << QByteArray("-2147483649") << false << 0;
        QTest::newRow("eleven nines") << QByteArray("99999999999") << false << 0;
        QTest::newRow("dollar alone") << QByteArray("$") << false << 0;
        QTest::newRow("0x alone") << QByteArray("0x") << false << 0;
        QTest::newRow("nine hex digits") << QByteArray("$100000000") << false << 0;
        QTest::newRow("not a hex digit") << QByteArray("$G") << false << 0;
        QTest::newRow("decimal point") << QByteArray("8.5") << false << 0;
        QTest::newRow("decimal comma") << QByteArray("8,5") << false << 0;
        QTest::newRow("exponent") << QByteArray("1e3") << false << 0;
        QTest::newRow("inner blank") << QByteArray("8 5") << false << 0;
        QTest::newRow("digits then x") << QByteArray("00x5") << false << 0;
        QTest::newRow("non-ASCII digit") << QByteArray("\xd9\xa3") << false << 0;
        QTest::newRow("embedded NUL") << QByteArray("85\0"
                                                    "1",
                                                    4)
                                      << false << 0;
        QTest::newRow("tab before") << QByteArray("\t85") << false << 0;
    }
    void integerTexts() {
        QFETCH(QByteArray, text);
        QFETCH(bool, converts);
        QFETCH(int, value);
        const std::string input(text.constData(), text.size());
        std::int32_t result = 0;
        const test::Outcome outcome = test::outcomeOf([&] { result = entry::toInteger(input); });
        if (converts) {
            QCOMPARE(outcome.kind, QString());
            QCOMPARE(result, value);
        } else {
            QCOMPARE(outcome.kind, QString("EConvertError"));
            QCOMPARE(outcome.message.toStdString(), "'" + input + "' is not a valid integer value");
        }
    }

    void realTexts_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("converts");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("comma decimal") << QByteArray("2,4") << "," << true << QByteArray("2.4");
        QTest::newRow("point decimal") << QByteArray("2.4") << "." << true << QByteArray("2.4");
        QTest::newRow("point under comma") << QByteArray("2.4") << "," << false << QByteArray();
        QTest::newRow("comma under point") << QByteArray("2,4") << "." << false << QByteArray();
        QTest::newRow("separator alone") << QByteArray(",") << "," << true << QByteArray("0");
        QTest::newRow("digit then separator") << QByteArray("5,") << "," << true << QByteArray("5");
        QTest::newRow("separator then digit")
            << QByteArray(",5") << "," << true << QByteArray("0.5");
        QTest::newRow("exponent letter alone")
            << QByteArray("1e") << "." << true << QByteArray("1");
        QTest::newRow("exponent sign alone") << QByteArray("1e+") << "." << true << QByteArray("1");
        QTest::newRow("exponent") << QByteArray("1E2") << "." << true << QByteArray("100");
        QTest::newRow("negative exponent")
            << QByteArray("25e-1") << "." << true << QByteArray("2.5");
        QTest::newRow("fraction and exponent")
            << QByteArray("1,5e1") << "," << true << QByteArray("15");
        QTest::newRow("exponent zeros")
            << QByteArray("1e000000000000002") << "." << true << QByteArray("100");
        QTest::newRow("blanks around") << QByteArray("  2.4  ") << "." << true << QByteArray("2.4");
        QTest::newRow("signs") << QByteArray("-2.4") << "." << true << QByteArray("-2.4");
        QTest::newRow("plus") << QByteArray("+2.4") << "." << true << QByteArray("2.4");
        QTest::newRow("large but finite")
            << QByteArray("1e999") << "." << true << QByteArray("1e999");
        QTest::newRow("zero with huge exponent")
            << QByteArray("0e4999") << "." << true << QByteArray("0");
        QTest::newRow("underflow to zero")
            << QByteArray("1e-4999") << "." << true << QByteArray("0");
        QTest::newRow("many digits")
            << QByteArray("2.40000000000000000000000000000") << "." << true << QByteArray("2.4");
        QTest::newRow("empty") << QByteArray("") << "," << false << QByteArray();
        QTest::newRow("blanks only") << QByteArray("  ") << "," << false << QByteArray();
        QTest::newRow("lone sign") << QByteArray("-") << "," << false << QByteArray();
        QTest::newRow("exponent without mantissa")
            << QByteArray("e5") << "." << false << QByteArray();
        QTest::newRow("second separator") << QByteArray("1.2.5") << "." << false << QByteArray();
        QTest::newRow("thousands blank") << QByteArray("1 000") << "." << false << QByteArray();
        QTest::newRow("overflow") << QByteArray("1e4999") << "." << false << QByteArray();
        QTest::newRow("exponent digits left over")
            << QByteArray("1e5000") << "." << false << QByteArray();
        QTest::newRow("infinity word") << QByteArray("inf") << "." << false << QByteArray();
        QTest::newRow("nan word") << QByteArray("nan") << "." << false << QByteArray();
        QTest::newRow("hex") << QByteArray("0x10") << "." << false << QByteArray();
        QTest::newRow("tab") << QByteArray("2.4\t") << "." << false << QByteArray();
        QTest::newRow("trailing letter") << QByteArray("2.4GHz") << "." << false << QByteArray();
        QTest::newRow("multibyte separator") << QByteArray("2\xd9\xab"
                                                           "4")
                                             << "\xd9\xab" << true << QByteArray("2.4");
    }
    void realTexts() {
        QFETCH(QByteArray, text);
        QFETCH(QString, separator);
        QFETCH(bool, converts);
        QFETCH(QByteArray, value);
        const std::string input(text.constData(), text.size());
        Real result = 0;
        const test::Outcome outcome =
            test::outcomeOf([&] { result = entry::toReal(input, separator.toStdString()); });
        if (converts) {
            QCOMPARE(outcome.kind, QString());
            QVERIFY2(result == std::strtold(value.constData(), nullptr),
                     qPrintable(QString::number(double(result), 'g', 20)));
        } else {
            QCOMPARE(outcome.kind, QString("EConvertError"));
            QCOMPARE(outcome.message.toStdString(),
                     "'" + input + "' is not a valid floating point value");
        }
    }

    // Texts too long to type, with more fraction digits than one scaling step covers. The
    // accumulated digits round at every step, so the value is checked to a few parts in 10^16.
    void longFractions_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("converts");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("one and 4931 fraction zeros")
            << ("1." + QByteArray(4931, '0')) << true << QByteArray("1");
        QTest::newRow("one and 8192 fraction zeros: the digits overflow")
            << ("1." + QByteArray(8192, '0')) << false << QByteArray();
        QTest::newRow("digits overflow before any separator")
            << ("1" + QByteArray(4933, '0') + "e-9000") << false << QByteArray();
        QTest::newRow("the largest digits still held")
            << ("1" + QByteArray(1931, '0') + "." + QByteArray(3000, '0')) << true
            << QByteArray("1e1931");
        QTest::newRow("1e-4000 written out in 8192 fraction digits")
            << ("0." + QByteArray(3999, '0') + "1" + QByteArray(4192, '0')) << true
            << QByteArray("1e-4000");
        QTest::newRow("8193 fraction digits")
            << ("0." + QByteArray(3999, '0') + "25" + QByteArray(4192, '0')) << true
            << QByteArray("2.5e-4000");
        QTest::newRow("8192 fraction digits and an exponent down")
            << ("0." + QByteArray(3999, '0') + "1" + QByteArray(4192, '0') + "e-900") << true
            << QByteArray("1e-4900");
        QTest::newRow("below the smallest value is zero")
            << ("0." + QByteArray(5000, '0') + "1") << true << QByteArray("0");
    }
    void longFractions() {
        QFETCH(QByteArray, text);
        QFETCH(bool, converts);
        QFETCH(QByteArray, value);
        const std::string input = text.toStdString();
        Real result = -1;
        const test::Outcome outcome = test::outcomeOf([&] { result = entry::toReal(input, "."); });
        if (!converts) {
            QCOMPARE(outcome.kind, QString("EConvertError"));
            return;
        }
        QCOMPARE(outcome.kind, QString());
        const Real expected = std::strtold(value.constData(), nullptr);
        if (expected == 0) {
            QVERIFY(result == 0);
            return;
        }
        QVERIFY2(std::fabs(result / expected - 1) < 1e-15L,
                 qPrintable(QString::number(double(result / expected - 1), 'g', 5)));
    }

    // Whatever is pasted, both conversions either give a number or fail with their message.
    void anyTextConvertsOrFailsCleanly() {
        QRandomGenerator random(20261208);
        static const char characters[] = "0123456789+-., eExX$abcdefABCDEF\t\0\xff\xc3\xa9";
        const QByteArray alphabet(characters, sizeof characters - 1);
        QElapsedTimer timer;
        timer.start();
        for (int round = 0; round < 20000; ++round) {
            const int length = int(random.bounded(24));
            std::string text;
            for (int i = 0; i < length; ++i) {
                text += random.bounded(4) == 0 ? char(random.bounded(256))
                                               : alphabet[int(random.bounded(alphabet.size()))];
            }
            for (const char* separator : {",", "."}) {
                Real value = 0;
                const test::Outcome real =
                    test::outcomeOf([&] { value = entry::toReal(text, separator); });
                QVERIFY(real.kind.isEmpty() || real.kind == "EConvertError");
                QVERIFY(std::isfinite(value));
            }
            const test::Outcome integer = test::outcomeOf([&] { entry::toInteger(text); });
            QVERIFY(integer.kind.isEmpty() || integer.kind == "EConvertError");
        }
        // Generous, as a loaded machine under the sanitizers is slow: it catches a text that
        // never ends, not a slow second.
        QVERIFY(timer.elapsed() < 30000);
    }

    void hugeTextsEndQuickly_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("realConverts");
        QTest::newRow("a million nines") << QByteArray(1000000, '9') << false;
        QTest::newRow("a million zeros") << QByteArray(1000000, '0') << true;
        QTest::newRow("a tiny fraction") << ("0." + QByteArray(1000000, '0') + "1") << true;
        QTest::newRow("a million exponent zeros") << ("1e" + QByteArray(1000000, '0')) << true;
        QTest::newRow("a million blanks") << QByteArray(1000000, ' ') << false;
    }
    void hugeTextsEndQuickly() {
        QFETCH(QByteArray, text);
        QFETCH(bool, realConverts);
        const std::string input = text.toStdString();
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(test::outcomeOf([&] { entry::toReal(input, "."); }).kind.isEmpty(), realConverts);
        QCOMPARE(test::outcomeOf([&] { entry::toInteger(input); }).kind.isEmpty(),
                 text.count('0') == text.size());
        QVERIFY(timer.elapsed() < 2000);
    }
};

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
