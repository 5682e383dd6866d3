#include "entry/Locale.h"

#include <QTest>

#include <cstdlib>

using namespace vlnokan;

class TestLocale final : public QObject {
    Q_OBJECT

private slots:
    void separatorFromTheEnvironment_data() {
        QTest::addColumn<QByteArray>("lcAll");
        QTest::addColumn<QByteArray>("lcNumeric");
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<QString>("separator");
        QTest::newRow("nothing set") << QByteArray() << QByteArray() << QByteArray() << ".";
        QTest::newRow("C locale") << QByteArray("C") << QByteArray() << QByteArray() << ".";
        QTest::newRow("Czech from LANG")
            << QByteArray() << QByteArray() << QByteArray("cs_CZ.UTF-8") << ",";
        QTest::newRow("Czech numbers only")
            << QByteArray() << QByteArray("cs_CZ.UTF-8") << QByteArray("C") << ",";
        QTest::newRow("LC_ALL wins")
            << QByteArray("C") << QByteArray("cs_CZ.UTF-8") << QByteArray("cs_CZ.UTF-8") << ".";
        QTest::newRow("LC_NUMERIC before LANG")
            << QByteArray() << QByteArray("C") << QByteArray("cs_CZ.UTF-8") << ".";
        QTest::newRow("unknown locale")
            << QByteArray("xx_XX.bogus") << QByteArray() << QByteArray() << ".";
    }
    void separatorFromTheEnvironment() {
        QFETCH(QByteArray, lcAll);
        QFETCH(QByteArray, lcNumeric);
        QFETCH(QByteArray, lang);
        QFETCH(QString, separator);
        if (separator == "," && !entry::localeAvailable("cs_CZ.UTF-8"))
            QSKIP("the Czech locale is not generated on this machine");
        qputenv("LC_ALL", lcAll);
        qputenv("LC_NUMERIC", lcNumeric);
        qputenv("LANG", lang);
        QCOMPARE(QString::fromStdString(entry::SystemLocale().decimalSeparator()), separator);
    }

    void testsCanReplaceTheLocale() {
        struct CommaLocale final : entry::LocaleSource {
            std::string decimalSeparator() const override { return ","; }
        } comma;
        {
            entry::Locale::Replacement guard(comma);
            QCOMPARE(entry::Locale::get().decimalSeparator(), std::string(","));
        }
        qputenv("LC_ALL", "C");
        QCOMPARE(entry::Locale::get().decimalSeparator(), std::string("."));
    }
};

QTEST_GUILESS_MAIN(TestLocale)
#include "tst_locale.moc"
