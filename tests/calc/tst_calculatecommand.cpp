#include "calc/CalculateCommand.h"
#include "tests/support/Faults.h"

#include <QStringList>
#include <QTest>

#include <array>
#include <cmath>
#include <cstdlib>

using namespace vlnokan;

namespace {

// Stands where the window stands and writes down every effect in order, with what the diameter
// entry reads at that moment.
class RecordingView final : public CalculationView {
public:
    explicit RecordingView(std::array<std::string, 4> entries) : m_entries(std::move(entries)) {}

    QStringList effects;
    // Label and text of each notice, byte for byte.
    std::vector<std::string> notices;
    std::vector<Design> designs;
    std::array<std::string, 4> m_entries;

    void blankAllSlots() override { effects << "blank"; }
    std::string entryText(Entry entry) const override { return m_entries[index(entry)]; }
    void setEntryText(Entry entry, const std::string& text) override {
        m_entries[index(entry)] = text;
        effects << QString("entry %1 = %2").arg(index(entry)).arg(QString::fromStdString(text));
    }
    void showNotice(Notice notice, const std::string& text) override {
        notices.push_back(noticeLabel(notice) + ": " + text);
        effects << QString("notice %1 while D=%2 Du=%3: %4")
                       .arg(QString::fromStdString(noticeLabel(notice)))
                       .arg(QString::fromStdString(m_entries[1]))
                       .arg(QString::fromStdString(m_entries[3]))
                       .arg(QString::fromStdString(text));
    }
    void setField(Field field, std::int64_t value) override {
        effects << QString("field %1 = %2").arg(int(field)).arg(value);
    }
    void writeSlot(Slot slot, const std::string& text) override {
        effects << QString("slot %1 = %2").arg(int(slot)).arg(QString::fromStdString(text));
    }
    void designKnown(const Design& design) override { designs.push_back(design); }

private:
    static std::size_t index(Entry entry) { return static_cast<std::size_t>(entry); }
};

// The notices as the user reads them, word for word.
const QString c1 =
    QString::fromUtf8("Nelze použít tak velký průměr plechovky,\n\rzmenšili jsme ho na 125");
const QString c2 = QString::fromUtf8(
    "Kmitočet je vůči D plechovky příliž nizký,\n\rtak jsme zvětšili její průměr");
const QString f1 = QString::fromUtf8(
    "Není doporučeno používat úhel větší\n\rnež 60 stupňů tak jsme ho zmenšili na 60");
const QString f2 = QString::fromUtf8(
    "Není doporučeno používat úhel menší\n\rnež 20 stupňů tak jsme ho zvětšili na 20");
const QString f3 =
    QString::fromUtf8("Nemá smysl použít tak malý průměr ústí,\n\rzvětšili jsme ho na ");

RecordingView recorded(const QStringList& entries) {
    return RecordingView({entries[0].toStdString(), entries[1].toStdString(),
                          entries[2].toStdString(), entries[3].toStdString()});
}

} // namespace

class TestCalculateCommand final : public QObject {
    Q_OBJECT

private slots:
    void defaultsGiveTheFullSequence() {
        RecordingView view({"2,4", "85", "40", "300"});
        CalculateCommand(view, ",").run();
        const QStringList expected = {"blank",
                                      "entry 0 = 2,4",
                                      "field 0 = 125",
                                      "field 1 = 247",
                                      "field 2 = 31",
                                      "slot 0 = = 31",
                                      "field 3 = 62",
                                      "slot 1 = = 62",
                                      "slot 2 = = 185",
                                      "slot 3 = = 85",
                                      "slot 4 = Du = 300",
                                      "slot 5 = 771",
                                      "slot 6 = l = 942",
                                      "slot 7 = alfa = 123,23",
                                      "slot 8 = l = 267",
                                      "slot 9 = 220",
                                      "slot 10 = r = 125",
                                      "slot 11 = R = 438",
                                      "slot 12 = 59",
                                      "slot 13 = 149"};
        QCOMPARE(view.effects, expected);
    }

    // The design handed on holds the corrected entries as numbers, and only as far as the
    // command got: a fault leaves the parts after it unknown.
    void designIsHandedOnAsFarAsItIsFinal_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("stages");
        QTest::addColumn<double>("frequency");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("mouth");
        QTest::newRow("defaults") << QStringList{"2.4", "85", "40", "300"} << 3 << 2.4 << 85 << 40
                                  << 300;
        QTest::newRow("widened can and mouth, narrowed angle")
            << QStringList{"1.0", "85", "70", "300"} << 3 << 1.0 << 179 << 60 << 358;
        QTest::newRow("can cut to 125, angle raised to 20")
            << QStringList{"2.4", "130", "10", "300"} << 3 << 2.4 << 125 << 20 << 300;
        QTest::newRow("fault in the angle: the can only")
            << QStringList{"2.4", "85", "x", "300"} << 2 << 2.4 << 85 << 0 << 0;
        QTest::newRow("fault in the frequency: nothing")
            << QStringList{"x", "85", "40", "300"} << 1 << 0.0 << 0 << 0 << 0;
    }
    void designIsHandedOnAsFarAsItIsFinal() {
        QFETCH(QStringList, entries);
        QFETCH(int, stages);
        QFETCH(double, frequency);
        QFETCH(int, diameter);
        QFETCH(int, angle);
        QFETCH(int, mouth);
        RecordingView view({entries[0].toStdString(), entries[1].toStdString(),
                            entries[2].toStdString(), entries[3].toStdString()});
        static_cast<void>(test::outcomeOf([&view] { CalculateCommand(view, ".").run(); }));
        QCOMPARE(int(view.designs.size()), stages);
        QCOMPARE(view.designs.front(), Design{});
        const Design& last = view.designs.back();
        QCOMPARE(last.canKnown, stages >= 2);
        QCOMPARE(last.funnelKnown, stages == 3);
        QCOMPARE(double(last.frequency), frequency);
        QCOMPARE(last.diameter, diameter);
        QCOMPARE(last.angle, angle);
        QCOMPARE(last.mouth, mouth);
    }

    void noticesAndRewritesInTheirOrder_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("C1: notice first, then the entry reads 125")
            << QStringList{"2.4", "130", "40", "300"}
            << QStringList{"notice C1 while D=130 Du=300: " + c1, "entry 1 = 125", "field 0 = 125",
                           "field 1 = 154"};
        QTest::newRow("C2: the entry reads 74 before the notice")
            << QStringList{"2.4", "60", "40", "300"}
            << QStringList{"field 0 = 125", "entry 1 = 74", "notice C2 while D=74 Du=300: " + c2,
                           "field 1 = 893"};
        QTest::newRow("C2 then F3 from the widened can")
            << QStringList{"1.0", "85", "40", "300"}
            << QStringList{"entry 1 = 179", "notice C2 while D=179 Du=300: " + c2,
                           "notice F3 while D=179 Du=300: " + f3 + "358", "entry 3 = 358"};
        QTest::newRow("C1 and C2 in that order")
            << QStringList{"0.5", "200", "40", "1000"}
            << QStringList{"notice C1 while D=200 Du=1000: " + c1, "entry 1 = 125", "entry 1 = 357",
                           "notice C2 while D=357 Du=1000: " + c2};
        QTest::newRow("F1 then F3")
            << QStringList{"2.4", "85", "70", "100"}
            << QStringList{"notice F1 while D=85 Du=100: " + f1, "entry 2 = 60",
                           "notice F3 while D=85 Du=100: " + f3 + "170", "entry 3 = 170"};
        QTest::newRow("can of zero size at 400 GHz widened to 1 mm")
            << QStringList{"400", "0", "40", "300"}
            << QStringList{"entry 1 = 1", "notice C2 while D=1 Du=300: " + c2, "field 1 = 1",
                           "slot 3 = = 1"};
        QTest::newRow("F2") << QStringList{"2.4", "85", "19", "300"}
                            << QStringList{"notice F2 while D=85 Du=300: " + f2, "entry 2 = 20"};
    }
    void noticesAndRewritesInTheirOrder() {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, expected);
        RecordingView view({entries[0].toStdString(), entries[1].toStdString(),
                            entries[2].toStdString(), entries[3].toStdString()});
        CalculateCommand(view, ".").run();
        // The expected effects appear in this order among all the others.
        qsizetype from = 0;
        for (const QString& effect : expected) {
            const qsizetype at = view.effects.indexOf(effect, from);
            QVERIFY2(at >= 0, qPrintable("missing or out of order: " + effect +
                                         "\nall: " + view.effects.join(" | ")));
            from = at + 1;
        }
    }

    // Each limit from both sides: the notice raised (label and text byte for byte) and what the
    // corrected entries read afterwards.
    void limitsTakeTheirNotices_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<QStringList>("entriesAfter");
        const QStringList none;
        QTest::newRow("D 125 stays") << QStringList{"2.4", "125", "40", "300"} << none
                                     << QStringList{"2.4", "125", "40", "300"};
        QTest::newRow("D 126 is cut to 125") << QStringList{"2.4", "126", "40", "300"}
                                             << QStringList{"C1: Nelze použít tak velký průměr "
                                                            "plechovky,\n\rzmenšili jsme ho na 125"}
                                             << QStringList{"2.4", "125", "40", "300"};
        QTest::newRow("alfa 60 stays") << QStringList{"2.4", "85", "60", "300"} << none
                                       << QStringList{"2.4", "85", "60", "300"};
        QTest::newRow("alfa 61 is cut to 60")
            << QStringList{"2.4", "85", "61", "300"}
            << QStringList{"F1: Není doporučeno používat úhel větší\n\rnež 60 stupňů tak jsme ho "
                           "zmenšili na 60"}
            << QStringList{"2.4", "85", "60", "300"};
        QTest::newRow("alfa 20 stays") << QStringList{"2.4", "85", "20", "300"} << none
                                       << QStringList{"2.4", "85", "20", "300"};
        QTest::newRow("alfa 19 is raised to 20")
            << QStringList{"2.4", "85", "19", "300"}
            << QStringList{"F2: Není doporučeno používat úhel menší\n\rnež 20 stupňů tak jsme ho "
                           "zvětšili na 20"}
            << QStringList{"2.4", "85", "20", "300"};
        QTest::newRow("Du twice D stays") << QStringList{"2.4", "85", "40", "170"} << none
                                          << QStringList{"2.4", "85", "40", "170"};
        QTest::newRow("Du one below twice D is widened")
            << QStringList{"2.4", "85", "40", "169"}
            << QStringList{"F3: Nemá smysl použít tak malý průměr ústí,\n\rzvětšili jsme ho na 170"}
            << QStringList{"2.4", "85", "40", "170"};
        QTest::newRow("Du twice the cut D stays")
            << QStringList{"2.4", "130", "40", "250"} << QStringList{"C1: " + c1}
            << QStringList{"2.4", "125", "40", "250"};
        QTest::newRow("Du below twice the cut D") << QStringList{"2.4", "130", "40", "249"}
                                                  << QStringList{"C1: " + c1, "F3: " + f3 + "250"}
                                                  << QStringList{"2.4", "125", "40", "250"};
        QTest::newRow("narrow can widened")
            << QStringList{"2.4", "60", "40", "300"}
            << QStringList{"C2: Kmitočet je vůči D plechovky příliž nizký,\n\rtak jsme zvětšili "
                           "její průměr"}
            << QStringList{"2.4", "74", "40", "300"};
        QTest::newRow("every angle notice with a widened mouth")
            << QStringList{"2.4", "85", "2147483647", "-2147483648"}
            << QStringList{"F1: " + f1, "F3: " + f3 + "170"}
            << QStringList{"2.4", "85", "60", "170"};
    }
    void limitsTakeTheirNotices() {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, notices);
        QFETCH(QStringList, entriesAfter);
        RecordingView view = recorded(entries);
        CalculateCommand(view, ".").run();
        QCOMPARE(int(view.notices.size()), int(notices.size()));
        for (std::size_t i = 0; i < view.notices.size(); ++i)
            QCOMPARE(view.notices[i], notices[int(i)].toStdString());
        for (int i = 0; i < 4; ++i)
            QCOMPARE(QString::fromStdString(view.m_entries[std::size_t(i)]), entriesAfter[i]);
    }

    // A cut-off wavelength a few units in the last place below Lo widens the can; at Lo exactly
    // or just above it the can stays (at Lo exactly the guide wavelength then divides by zero).
    void cutoffAgainstLoToTheLastBit_data() {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<int>("comparison");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("diameterSlot");
        QTest::newRow("Lo just above the cut-off")
            << "2.254486427991703489" << 1 << QString() << "slot 3 = = 79";
        QTest::newRow("Lo equal to the cut-off")
            << "2.254486427991703490" << 0 << "Floating point division by zero" << QString();
        QTest::newRow("Lo just below the cut-off")
            << "2.254486427991703491" << -1 << QString() << "slot 3 = = 78";
    }
    void cutoffAgainstLoToTheLastBit() {
        QFETCH(QString, frequency);
        QFETCH(int, comparison);
        QFETCH(QString, message);
        QFETCH(QString, diameterSlot);
        // The premise, in extended precision written out here: 300 / f against 1.706 x 78.
        volatile long double cutoff = 1.706L;
        cutoff = cutoff * 78;
        volatile long double lo = std::strtold(frequency.toLatin1().constData(), nullptr);
        lo = 300.0L / lo;
        QCOMPARE((lo > cutoff) - (lo < cutoff), comparison);
        // The neighbouring 19-digit texts are the nearest to Lo = cut-off: a few units apart.
        QVERIFY(std::fabs(lo - cutoff) < cutoff * 1e-18L);

        RecordingView view = recorded({frequency, "78", "40", "300"});
        const test::Outcome outcome = test::outcomeOf([&] { CalculateCommand(view, ".").run(); });
        QCOMPARE(outcome.message, message);
        QCOMPARE(view.notices.size(), std::size_t(comparison > 0 ? 1 : 0));
        if (!diameterSlot.isEmpty())
            QVERIFY2(view.effects.contains(diameterSlot), qPrintable(view.effects.join(" | ")));
    }

    // The sector angle is cut to two decimals after 18 significant digits, half away from zero.
    // These two entries give the angles nearest to a half among all funnels whose radius squares
    // fit 32 bits: 4490 / 2446 rad = 105.17500000561717936...° and 34239 / 12437 rad =
    // 157.73499997977209813...° (worked out to 40 digits).
    void sectorAngleNearestToAHalf_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("slot");
        QTest::newRow("just above a half goes up")
            << QStringList{"2.4", "85", "34", "1430"} << "slot 7 = alfa = 105.18";
        QTest::newRow("just below a half stays")
            << QStringList{"2.4", "85", "52", "10904"} << "slot 7 = alfa = 157.73";
        QTest::newRow("under a comma")
            << QStringList{"2,4", "85", "34", "1430"} << "slot 7 = alfa = 105,18";
    }
    void sectorAngleNearestToAHalf() {
        QFETCH(QStringList, entries);
        QFETCH(QString, slot);
        RecordingView view = recorded(entries);
        CalculateCommand(view, slot.contains(',') ? "," : ".").run();
        QVERIFY2(view.effects.contains(slot), qPrintable(view.effects.join(" | ")));
    }

    // The widened diameter is stored into 32 bits: 2147483647 is kept (and only its doubling for
    // the mouth overflows), 2147483648 is a range fault.
    void widenedDiameterAtThe32BitLimit_data() {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<qint64>("rounded");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("lastEffect");
        QTest::newRow("largest 32-bit value")
            << "8.31538013436749e-8" << qint64(2147483647) << "Integer overflow"
            << "slot 3 = = 2147483647";
        QTest::newRow("one above")
            << "8.31538013049534e-8" << qint64(2147483648) << "Range check error"
            << "field 0 = 3607772529";
    }
    void widenedDiameterAtThe32BitLimit() {
        QFETCH(QString, frequency);
        QFETCH(qint64, rounded);
        QFETCH(QString, message);
        QFETCH(QString, lastEffect);
        const long double diameter =
            300.0L / std::strtold(frequency.toLatin1().constData(), nullptr) / 1.68L;
        QVERIFY(std::fabs(diameter - static_cast<long double>(rounded)) < 0.01L);

        RecordingView view = recorded({frequency, "85", "40", "300"});
        const test::Outcome outcome = test::outcomeOf([&] { CalculateCommand(view, ".").run(); });
        QCOMPARE(outcome.message, message);
        QCOMPARE(view.effects.last(), lastEffect);
    }

    void aFaultEndsTheCommandWhereItStrikes_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("lastEffect");
        QTest::newRow("empty diameter after the frequency is rewritten")
            << QStringList{"2,4", "", "40", "300"} << "'' is not a valid integer value"
            << "entry 0 = 2.4";
        QTest::newRow("frequency zero before Lo is shown")
            << QStringList{"0", "85", "40", "300"} << "Floating point division by zero"
            << "entry 0 = 0";
        QTest::newRow("separator alone is zero")
            << QStringList{",", "85", "40", "300"} << "Floating point division by zero"
            << "entry 0 = .";
        QTest::newRow("eleven nines do not convert")
            << QStringList{"2.4", "99999999999", "40", "300"}
            << "'99999999999' is not a valid integer value"
            << "entry 0 = 2.4";
        QTest::newRow("second point stays") << QStringList{"1,2.5", "85", "40", "300"}
                                            << "'1.2.5' is not a valid floating point value"
                                            << "entry 0 = 1.2.5";
        // 1.706 x 78 and 300 / f agree to the last bit of the extended format.
        QTest::newRow("cut-off equal to Lo")
            << QStringList{"2.25448642799170349", "78", "40", "300"}
            << "Floating point division by zero"
            << "field 0 = 133";
        QTest::newRow("tiny frequency cannot be rounded")
            << QStringList{"3e-17", "85", "40", "300"} << "Invalid floating point operation"
            << "entry 0 = 3e-17";
        QTest::newRow("corrected diameter beyond 32 bits")
            << QStringList{"1e-8", "85", "40", "300"} << "Range check error"
            << "field 0 = 30000000000";
        QTest::newRow("huge frequency overflows the square")
            << QStringList{"1e2500", "85", "40", "300"} << "Floating point overflow"
            << "field 0 = 0";
        QTest::newRow("tiny frequency overflows the wavelength")
            << QStringList{"1e-4931", "85", "40", "300"} << "Floating point overflow"
            << "entry 0 = 1e-4931";
        QTest::newRow("exponent digits left over")
            << QStringList{"1e-5000", "85", "40", "300"}
            << "'1e-5000' is not a valid floating point value"
            << "entry 0 = 1e-5000";
        QTest::newRow("last exponent taken underflows to zero")
            << QStringList{"1e-4999", "85", "40", "300"} << "Floating point division by zero"
            << "entry 0 = 1e-4999";
        QTest::newRow("empty angle after the can is written")
            << QStringList{"2.4", "85", "", "300"} << "'' is not a valid integer value"
            << "slot 3 = = 85";
        QTest::newRow("mouth with a trailing blank")
            << QStringList{"2.4", "85", "40", "300 "} << "'300 ' is not a valid integer value"
            << "slot 3 = = 85";
        QTest::newRow("square of the outer radius")
            << QStringList{"2.4", "85", "40", "100000"} << "Integer overflow"
            << "slot 3 = = 85";
        QTest::newRow("mouth of a billion at 40 degrees")
            << QStringList{"2.4", "85", "40", "1000000000"} << "Range check error"
            << "slot 3 = = 85";
        QTest::newRow("doubling of the outer radius at 20 degrees")
            << QStringList{"2.4", "85", "20", "500000000"} << "Integer overflow"
            << "slot 3 = = 85";
        QTest::newRow("negative can too small for a negative frequency")
            << QStringList{"-2.4", "-100", "40", "300"} << "Invalid floating point operation"
            << "notice C2 while D=-73 Du=300: " + c2;
        QTest::newRow("doubling of a can widened for a very low frequency")
            << QStringList{"1e-7", "85", "40", "300"} << "Integer overflow"
            << "slot 3 = = 1785714286";
    }
    void aFaultEndsTheCommandWhereItStrikes() {
        QFETCH(QStringList, entries);
        QFETCH(QString, message);
        QFETCH(QString, lastEffect);
        RecordingView view({entries[0].toStdString(), entries[1].toStdString(),
                            entries[2].toStdString(), entries[3].toStdString()});
        const test::Outcome outcome = test::outcomeOf([&] { CalculateCommand(view, ".").run(); });
        QCOMPARE(outcome.message, message);
        QCOMPARE(view.effects.last(), lastEffect);
    }
};

QTEST_GUILESS_MAIN(TestCalculateCommand)
#include "tst_calculatecommand.moc"
