// Message texts, Replace all, the boxes through the presenter and the error wrapper.
#include "core/ErrorWrapper.h"
#include "core/MessagePresenter.h"
#include "core/Text.h"
#include "tests/common/RecordingPresenter.h"

#include <QtTest>

using namespace orvik;

class TestCore : public QObject {
    Q_OBJECT
private slots:
    void placeholders_data();
    void placeholders();
    void replaceAll_data();
    void replaceAll();
    void boxes();
    void inputBox();
    void errorWrapper();
};

void TestCore::placeholders_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("replacements");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no placeholder, no texts")
        << "Add a station category first." << QStringList() << "Add a station category first.";
    QTest::newRow("placeholder but no texts")
        << "Cannot open %s" << QStringList() << "Cannot open %s";
    QTest::newRow("two in order") << "%s then %s" << QStringList({"X", "Y"}) << "X then Y";
    QTest::newRow("more texts than placeholders")
        << "only %s" << QStringList({"A", "B"}) << "only A";
    // A text that brings its own %s is not scanned again for itself, but the next text finds
    // it as the first one left.
    QTest::newRow("replacement with a placeholder")
        << "a %s b %s" << QStringList({"[%s]", "Z"}) << "a [Z] b %s";
    QTest::newRow("empty message") << "" << QStringList({"X"}) << "";
}

void TestCore::placeholders() {
    QFETCH(QString, message);
    QFETCH(QStringList, replacements);
    QFETCH(QString, shown);
    QCOMPARE(FillPlaceholders(message, replacements), shown);
}

void TestCore::replaceAll_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("result");
    QTest::newRow("accelerator mark") << "&Skins"
                                      << "&"
                                      << ""
                                      << "Skins";
    QTest::newRow("two adjacent marks") << "a&&b.skn"
                                        << "&"
                                        << ""
                                        << "ab.skn";
    QTest::newRow("nothing found") << "plain"
                                   << "&"
                                   << ""
                                   << "plain";
    // The replacement contains the text searched for: the search goes on after it, so this
    // ends and doubles every mark once.
    QTest::newRow("replacement contains the text") << "a&b&c"
                                                   << "&"
                                                   << "&&"
                                                   << "a&&b&&c";
    QTest::newRow("longer find") << "one--two----three"
                                 << "--"
                                 << "-"
                                 << "one-two--three";
    QTest::newRow("empty find changes nothing") << "abc"
                                                << ""
                                                << "x"
                                                << "abc";
}

void TestCore::replaceAll() {
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QString, result);
    QCOMPARE(ReplaceAll(text, find, replacement), result);
}

void TestCore::boxes() {
    RecordingPresenter p;
    ShowError(QStringLiteral("Failed: %s"), {QStringLiteral("disk")});
    ShowInformation(QStringLiteral("Add a station category first."));
    p.confirmations = {true, false};
    QVERIFY(ShowConfirmation(QStringLiteral("Are you sure you want to delete this station?")));
    QVERIFY(!ShowConfirmation(QStringLiteral("Are you sure you want to delete this station?")));
    // Closing the box any other way is a No.
    QVERIFY(!ShowConfirmation(QStringLiteral("Are you sure you want to delete this category?")));
    QCOMPARE(p.boxes.size(), 5);
    QCOMPARE(p.boxes[0].kind, MessagePresenter::Kind::Error);
    QCOMPARE(p.boxes[0].title, QStringLiteral("Error"));
    QCOMPARE(p.boxes[0].text, QStringLiteral("Failed: disk"));
    QCOMPARE(p.boxes[1].title, QStringLiteral("Information"));
    QCOMPARE(p.boxes[2].title, QStringLiteral("Confirm"));
}

void TestCore::inputBox() {
    RecordingPresenter p;
    p.answers = {QStringLiteral("Jazz"), std::nullopt};
    QCOMPARE(InputBox(QStringLiteral("Category"), QStringLiteral("Name:"), QStringLiteral("Old")),
             QStringLiteral("Jazz"));
    // Cancel keeps the initial value.
    QCOMPARE(InputBox(QStringLiteral("Category"), QStringLiteral("Name:"), QStringLiteral("Old")),
             QStringLiteral("Old"));
    QCOMPARE(p.inputs.size(), 2);
    QCOMPARE(p.inputs[0].title, QStringLiteral("Category"));
    QCOMPARE(p.inputs[0].text, QStringLiteral("Name:"));
}

void TestCore::errorWrapper() {
    RecordingPresenter p;
    runGuarded([] { throw Error(QStringLiteral("Database is locked")); });
    runGuarded([] { throw Error(QStringLiteral("Ends with a full stop.")); });
    runGuarded([] { throw Error(QStringLiteral("Ends with a bracket (1)")); });
    runGuarded([] { throw std::runtime_error("plain"); });
    runGuarded([] { throw 42; });
    bool ran = false;
    runGuarded([&] { ran = true; });
    QVERIFY(ran);
    QCOMPARE(p.texts(), QStringList({"Database is locked.", "Ends with a full stop.",
                                     "Ends with a bracket (1)", "plain.", "Unknown error."}));
    for (const auto& box : p.boxes) {
        QCOMPARE(box.title, QStringLiteral("Orvik"));
        QCOMPARE(box.kind, MessagePresenter::Kind::AppError);
    }

    p.boxes.clear();
    runReporting([] { throw Error(QStringLiteral("no such table: stations")); });
    QCOMPARE(p.boxes.size(), 1);
    QCOMPARE(p.boxes[0].title, QStringLiteral("Error"));
    QCOMPARE(p.boxes[0].text, QStringLiteral("no such table: stations"));

    p.boxes.clear();
    runSilently([] { throw Error(QStringLiteral("ignored")); });
    QVERIFY(p.boxes.isEmpty());
}

QTEST_MAIN(TestCore)
#include "test_core.moc"
