#include "cli/JsonReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <algorithm>

using namespace vlnokan::cli;

// The document other features add their sections to: names kept in the order first set, a
// section set again replaced where it stands, read back by an independent parser.
class TestJsonDocument final : public QObject {
    Q_OBJECT

private slots:
    void sectionsKeepTheirOrderAndPlace() {
        JsonDocument document;
        document.setSection("entries", Json::object());
        document.setSection("sweep", nullptr);
        document.setSection("fault", nullptr);
        document.setSection("sweep", Json{{"rows", Json::array({1, 2})}});
        document.setSection("simulation", Json{{"gain", 9.5}});

        const QByteArray text = QByteArray::fromStdString(document.text());
        QVERIFY(text.endsWith("}\n"));
        QJsonParseError error;
        const QJsonObject root = QJsonDocument::fromJson(text, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(root["sweep"]["rows"].toArray().size(), 2);
        QCOMPARE(root["simulation"]["gain"].toDouble(), 9.5);
        // In the text, in the order first set.
        const QList<qsizetype> places{text.indexOf("\"entries\""), text.indexOf("\"sweep\""),
                                      text.indexOf("\"fault\""), text.indexOf("\"simulation\"")};
        QVERIFY(std::is_sorted(places.begin(), places.end()));
        QCOMPARE(document.section("sweep")["rows"].size(), std::size_t(2));
    }
};

QTEST_APPLESS_MAIN(TestJsonDocument)
#include "tst_jsondocument.moc"
