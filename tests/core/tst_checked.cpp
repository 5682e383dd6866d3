#include "core/Checked.h"
#include "core/ErrorText.h"
#include "tests/support/Faults.h"

#include <QTest>

#include <cfenv>
#include <cstdlib>
#include <functional>

using namespace vlnokan;

Q_DECLARE_METATYPE(std::function<void()>)

namespace {

// Values reach the arithmetic from text, so the optimiser cannot fold the faulting operation.
Real real(const char* text) {
    return std::strtold(text, nullptr);
}

#if defined(__i386__) || defined(__x86_64__)
// Sets the precision field of the x87 control word, as other code in the process may.
void setX87Precision(std::uint16_t bits) {
    std::uint16_t control = 0;
    asm volatile("fnstcw %0" : "=m"(control));
    control = static_cast<std::uint16_t>((control & ~0x300) | bits);
    asm volatile("fldcw %0" : : "m"(control));
}
#endif

} // namespace

class TestChecked final : public QObject {
    Q_OBJECT

private slots:
    void roundsTiesToEven_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("two and a half down to two") << "2.5" << qint64(2);
        QTest::newRow("three and a half up to four") << "3.5" << qint64(4);
        QTest::newRow("minus two and a half to minus two") << "-2.5" << qint64(-2);
        QTest::newRow("minus three and a half to minus four") << "-3.5" << qint64(-4);
        QTest::newRow("half to zero") << "0.5" << qint64(0);
        QTest::newRow("just above a half") << "0.5000000000000000001" << qint64(1);
        QTest::newRow("just below a half") << "2.4999999999999999999" << qint64(2);
        QTest::newRow("quarter of the guide wavelength") << "61.65" << qint64(62);
        QTest::newRow("largest 64-bit value")
            << "9223372036854775807" << qint64(9223372036854775807LL);
        QTest::newRow("smallest 64-bit value")
            << "-9223372036854775808" << qint64(-9223372036854775807LL - 1);
    }
    void roundsTiesToEven() {
        QFETCH(QString, value);
        QFETCH(qint64, expected);
        QCOMPARE(checked::round(real(value.toLatin1().constData())), expected);
    }

    void roundIgnoresTheRoundingMode() {
        std::fesetround(FE_UPWARD);
        const auto result = checked::round(real("2.5"));
        std::fesetround(FE_TONEAREST);
        QCOMPARE(result, qint64(2));
    }

    void faultsStrikeAtTheirOperation_data() {
        QTest::addColumn<std::function<void()>>("call");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        const QString zeroDivide = "Floating point division by zero";
        const QString invalid = "Invalid floating point operation";
        const QString overflow = "Floating point overflow";
        QTest::newRow("nonzero divided by zero")
            << std::function<void()>([] { checked::div(real("300"), real("0")); }) << "EZeroDivide"
            << zeroDivide;
        QTest::newRow("nonzero divided by minus zero")
            << std::function<void()>([] { checked::div(real("1"), real("-0")); }) << "EZeroDivide"
            << zeroDivide;
        QTest::newRow("zero divided by zero")
            << std::function<void()>([] { checked::div(real("0"), real("0")); }) << "EInvalidOp"
            << invalid;
        QTest::newRow("root of a negative")
            << std::function<void()>([] { checked::sqrt(real("-1e-30")); }) << "EInvalidOp"
            << invalid;
        QTest::newRow("quotient beyond the range")
            << std::function<void()>([] { checked::div(real("300"), real("1e-4931")); })
            << "EOverflow" << overflow;
        QTest::newRow("square beyond the range")
            << std::function<void()>([] { checked::square(real("1e2467")); }) << "EOverflow"
            << overflow;
        QTest::newRow("product beyond the range")
            << std::function<void()>([] { checked::mul(real("1e4000"), real("1e1000")); })
            << "EOverflow" << overflow;
        QTest::newRow("sum beyond the range")
            << std::function<void()>([] { checked::add(real("1.1e4932"), real("1.1e4932")); })
            << "EOverflow" << overflow;
        QTest::newRow("round above 64 bits")
            << std::function<void()>([] { checked::round(real("9223372036854775807.5")); })
            << "EInvalidOp" << invalid;
        QTest::newRow("round below 64 bits")
            << std::function<void()>([] { checked::round(real("-9223372036854775809")); })
            << "EInvalidOp" << invalid;
        QTest::newRow("store above 32 bits")
            << std::function<void()>([] { checked::round32(real("2147483647.5")); })
            << "ERangeError"
            << "Range check error";
        QTest::newRow("store below 32 bits")
            << std::function<void()>([] { checked::round32(real("-2147483649")); }) << "ERangeError"
            << "Range check error";
        QTest::newRow("doubling overflows")
            << std::function<void()>([] { checked::twice(std::atoi("1073741824")); })
            << "EIntOverflow"
            << "Integer overflow";
        QTest::newRow("negative doubling overflows")
            << std::function<void()>([] { checked::twice(std::atoi("-1073741825")); })
            << "EIntOverflow"
            << "Integer overflow";
        QTest::newRow("square of 46341 overflows")
            << std::function<void()>([] { checked::square(std::atoi("46341")); }) << "EIntOverflow"
            << "Integer overflow";
        QTest::newRow("difference overflows") << std::function<void()>([] {
            checked::difference(std::atoi("2147483647"), std::atoi("-1"));
        }) << "EIntOverflow"
                                              << "Integer overflow";
        QTest::newRow("product past the largest 32-bit value") << std::function<void()>([] {
            checked::product(std::atoi("65536"), std::atoi("32768"));
        }) << "EIntOverflow"
                                                               << "Integer overflow";
        QTest::newRow("negative product past the smallest 32-bit value")
            << std::function<void()>(
                   [] { checked::product(std::atoi("-65536"), std::atoi("32769")); })
            << "EIntOverflow"
            << "Integer overflow";
    }
    void faultsStrikeAtTheirOperation() {
        QFETCH(std::function<void()>, call);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        const test::Outcome outcome = test::outcomeOf(call);
        QCOMPARE(outcome.kind, kind);
        QCOMPARE(outcome.message, message);
    }

    void silentConditionsPass_data() {
        QTest::addColumn<std::function<void()>>("call");
        QTest::newRow("underflow to a tiny value")
            << std::function<void()>([] { checked::mul(real("1e-4000"), real("1e-940")); });
        QTest::newRow("underflow to zero")
            << std::function<void()>([] { checked::square(real("1e-4000")); });
        QTest::newRow("root of minus zero")
            << std::function<void()>([] { checked::sqrt(real("-0")); });
        QTest::newRow("square of 46340")
            << std::function<void()>([] { checked::square(std::atoi("46340")); });
        QTest::newRow("smallest 32-bit store")
            << std::function<void()>([] { checked::round32(real("-2147483648.5")); });
        QTest::newRow("doubling to the smallest 32-bit value")
            << std::function<void()>([] { checked::twice(std::atoi("-1073741824")); });
        QTest::newRow("product to the smallest 32-bit value") << std::function<void()>(
            [] { checked::product(std::atoi("-65536"), std::atoi("32768")); });
    }
    void silentConditionsPass() {
        QFETCH(std::function<void()>, call);
        QCOMPARE(test::outcomeOf(call).kind, QString());
    }

    void afterAFaultTheNextCalculationIsUnchanged() {
        QVERIFY(!test::outcomeOf([] { checked::div(real("1"), real("0")); }).kind.isEmpty());
        resetFloatingPoint();
        QCOMPARE(std::fetestexcept(FE_ALL_EXCEPT), 0);
        QCOMPARE(std::fegetround(), FE_TONEAREST);
        QCOMPARE(checked::round(checked::div(real("300"), real("2.4"))), qint64(125));
    }

#if defined(__i386__) || defined(__x86_64__)
    void resetRestoresTheFullMantissa_data() {
        QTest::addColumn<int>("precisionBits");
        QTest::newRow("53 bits, as Windows runtimes set it") << 0x200;
        QTest::newRow("24 bits") << 0x000;
    }
    void resetRestoresTheFullMantissa() {
        QFETCH(int, precisionBits);
        setX87Precision(static_cast<std::uint16_t>(precisionBits));
        resetFloatingPoint();
        const Real probe = real("1") + real("0x1p-60");
        // 300 / 2.3904382470119522 = 125.49999999999999954: a double would hold 125.5.
        const auto lo = checked::round(checked::div(real("300"), real("2.3904382470119522")));
        setX87Precision(0x300);
        QVERIFY(probe != 1);
        QCOMPARE(lo, qint64(125));
    }
#endif

    void errorBoxTextEndsWithOneFullStop_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Range check error"
                                << "Range check error.";
        QTest::newRow("digit") << "Code 5"
                               << "Code 5.";
        QTest::newRow("full stop") << "Done."
                                   << "Done.";
        QTest::newRow("quote") << "'' is not"
                               << "'' is not.";
        QTest::newRow("closing quote") << "value '12'"
                                       << "value '12'";
        QTest::newRow("closing bracket") << "(x)"
                                         << "(x)";
        QTest::newRow("exclamation mark") << "Stop!"
                                          << "Stop!";
        QTest::newRow("blank") << "trailing "
                               << "trailing ";
        QTest::newRow("line break") << "line\n"
                                    << "line\n";
        QTest::newRow("slash") << "a/"
                               << "a/.";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("non-ASCII letter") << "průměr"
                                          << "průměr.";
    }
    void errorBoxTextEndsWithOneFullStop() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(QString::fromStdString(errorBoxText(message.toStdString())), shown);
    }

    void osErrorCarriesTheSystemsReport_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("message");
        QTest::newRow("with a description")
            << 2 << "The system cannot find the file specified.\r\n"
            << "System Error.  Code: 2.\r\nThe system cannot find the file specified";
        QTest::newRow("code zero") << 0 << "anything"
                                   << "A call to an OS function failed";
    }
    void osErrorCarriesTheSystemsReport() {
        QFETCH(int, code);
        QFETCH(QString, description);
        QFETCH(QString, message);
        const EOSError error(code, description.toStdString());
        QCOMPARE(QString::fromStdString(error.message()), message);
        QCOMPARE(error.errorCode(), code);
    }
};

QTEST_GUILESS_MAIN(TestChecked)
#include "tst_checked.moc"
