// The skin generator: its frame options give skins whose borders are cut out where the
// corners are round and whose caption buttons stay clear of each other and of the caption,
// it refuses bad parameter sets without touching the output folder, it draws the same
// pictures every time, and it wraps only real packages as stored skins.

#include "tests/skins/FrameChecks.h"
#include "tests/skins/SkinTools.h"

#include "skin/data/SkinReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace skintest;

class TestSkinGen : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void frameOptionsGiveSoundSkins_data();
    void frameOptionsGiveSoundSkins();
    void generatorRefusesBadParameters_data();
    void generatorRefusesBadParameters();
    void generatorLeavesNoStalePictures();
    void streamRefusesWhatIsNoPackage();

private:
    QTemporaryDir dir_;
};

void TestSkinGen::frameOptionsGiveSoundSkins_data() {
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<int>("border");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QList<int>>("aligns"); // of close, maximise, restore, minimise, system menu
    const QList<int> edges{1, 1, 1, 1, 0}, around{9, 3, 3, 3, 2};
    QTest::newRow("defaults") << QByteArray() << 4 << 0 << edges;
    QTest::newRow("centred, buttons at the edges")
        << QByteArray(R"(,"captionAlign":"centre","border":6)") << 6 << 1 << edges;
    QTest::newRow("left, buttons around the caption")
        << QByteArray(R"(,"captionButtons":"around","bottomCorner":6)") << 4 << 0 << around;
    QTest::newRow("centred, buttons around, tall title")
        << QByteArray(R"(,"captionAlign":"centre","captionButtons":"around","titleHeight":40,)"
                      R"("border":10,"corner":12,"bottomCorner":12,"bevel":3)")
        << 10 << 1 << around;
    QTest::newRow("square corners, thin border")
        << QByteArray(R"(,"corner":0,"bottomCorner":0,"border":2,"titleHeight":20)") << 2 << 0
        << edges;
}

void TestSkinGen::frameOptionsGiveSoundSkins() {
    QFETCH(QByteArray, options);
    QFETCH(int, border);
    QFETCH(int, alignment);
    QFETCH(QList<int>, aligns);
    const QString params = dir_.filePath(QStringLiteral("options.json"));
    const QString out = dir_.filePath(QStringLiteral("options"));
    const QString package = dir_.filePath(QStringLiteral("options.skn"));
    QFile file(params);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(R"({"name":"Options","face":"#e3e5e9","accent":"#2f6fd0","text":"#1b2230",)"
               R"("title":"#c5cbd4")" +
               options + "}");
    file.close();
    Result r = run(QStringLiteral("orvik-skingen"), {params, out});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    r = run(QStringLiteral("orvik-skin"), {QStringLiteral("pack"), out, package});
    QVERIFY2(r.code == 0, qPrintable(r.err));

    QString problem;
    const auto skin = loadSkin(package, &problem);
    QVERIFY2(!skin->Loading(), qPrintable(problem));
    QStringList problems = cornerProblems(*skin) + captionProblems(*skin);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
    QCOMPARE(skin->Left()->FrameWidth(), border);
    QCOMPARE(skin->Right()->FrameWidth(), border);
    QCOMPARE(skin->Bottom()->FrameHeight(), border);
    QCOMPARE(skin->Title()->TextAlignment, alignment);
    QList<int> found;
    for (int i = 0; i < 5; ++i)
        found << skin->SysButtons()[i]->Align;
    QCOMPARE(found, aligns);
}

void TestSkinGen::generatorRefusesBadParameters_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("reason");
    const QByteArray good = R"("name":"Test","face":"#303030","accent":"#2080f0","text":"#f0f0f0")";
    QTest::newRow("not JSON") << QByteArray("face = grey") << QString();
    QTest::newRow("array") << QByteArray("[1, 2]") << QStringLiteral("object");
    QTest::newRow("unknown key") << "{" + good + R"(,"colour":"#000000"})"
                                 << QStringLiteral("colour");
    QTest::newRow("missing face") << QByteArray(
                                         R"({"name":"T","accent":"#2080f0","text":"#fff000"})")
                                  << QStringLiteral("face");
    QTest::newRow("short colour")
        << QByteArray(R"({"name":"T","face":"#333","accent":"#2080f0","text":"#f0f0f0"})")
        << QStringLiteral("face");
    QTest::newRow("magenta")
        << QByteArray(R"({"name":"T","face":"#ff00ff","accent":"#2080f0","text":"#f0f0f0"})")
        << QStringLiteral("magenta");
    QTest::newRow("corner too big") << "{" + good + R"(,"corner":40})" << QStringLiteral("corner");
    QTest::newRow("bevel fraction") << "{" + good + R"(,"bevel":1.5})" << QStringLiteral("bevel");
    QTest::newRow("gloss as text") << "{" + good + R"(,"gloss":"high"})" << QStringLiteral("gloss");
    // Well formed, but no caption colour reads on a mid-grey glossy title bar.
    QTest::newRow("unreadable title")
        << "{" + good + R"(,"title":"#808080","gloss":1})" << QStringLiteral("readable");
    QTest::newRow("border too wide") << "{" + good + R"(,"border":12})" << QStringLiteral("border");
    QTest::newRow("bottom curve past the border")
        << "{" + good + R"(,"border":3,"bottomCorner":10})" << QStringLiteral("three times");
    QTest::newRow("unknown caption alignment")
        << "{" + good + R"(,"captionAlign":"middle"})" << QStringLiteral("\"centre\"");
    QTest::newRow("caption buttons as a number")
        << "{" + good + R"(,"captionButtons":2})" << QStringLiteral("captionButtons");
    QTest::newRow("name with path")
        << QByteArray(R"({"name":"../x","face":"#303030","accent":"#2080f0","text":"#f0f0f0"})")
        << QStringLiteral("name");
}

void TestSkinGen::generatorRefusesBadParameters() {
    QFETCH(QByteArray, json);
    QFETCH(QString, reason);
    const QString params = dir_.filePath(QStringLiteral("bad.json"));
    QFile file(params);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(json);
    file.close();
    // A folder with an earlier skin in it stays as it was.
    const QString out = dir_.filePath(QStringLiteral("refused"));
    QVERIFY(QDir().mkpath(out));
    QFile earlier(out + QStringLiteral("/earlier.bmp"));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.close();

    const Result r = run(QStringLiteral("orvik-skingen"), {params, out});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(params), qPrintable(r.err));
    QVERIFY2(r.err.contains(reason), qPrintable(r.err));
    QCOMPARE(QDir(out).entryList(QDir::Files), QStringList{QStringLiteral("earlier.bmp")});
}

void TestSkinGen::generatorLeavesNoStalePictures() {
    const QString out = dir_.filePath(QStringLiteral("fresh"));
    QVERIFY(QDir().mkpath(out));
    for (const char* stale : {"/old.bmp", "/old.ini"}) {
        QFile f(out + QLatin1String(stale));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QFile keep(out + QStringLiteral("/notes.txt"));
    QVERIFY(keep.open(QIODevice::WriteOnly));
    keep.close();
    const Result r = run(QStringLiteral("orvik-skingen"),
                         {sourceDir() + QStringLiteral("/skins/ember/skin.json"), out});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QStringList files = QDir(out).entryList(QDir::Files);
    QVERIFY(!files.contains(QStringLiteral("old.bmp")));
    QVERIFY(!files.contains(QStringLiteral("old.ini")));
    QVERIFY(files.contains(QStringLiteral("notes.txt")));
    QVERIFY(files.contains(QStringLiteral("ember.ini")));
    // The same pictures as the packaged skin, byte for byte: the drawing does not wander.
    TSkinReader reader;
    QVERIFY(reader.LoadPackage(readFile(packagePath(QStringLiteral("ember")))));
    QCOMPARE(files.size() - 1, reader.EntryCount());
    for (const QString& entry : reader.EntryNames())
        QVERIFY2(readFile(out + QLatin1Char('/') + entry) == reader.GetEntry(entry),
                 qPrintable(entry));
}

void TestSkinGen::streamRefusesWhatIsNoPackage() {
    const QString garbage = dir_.filePath(QStringLiteral("garbage.skn"));
    QFile file(garbage);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2000, 'x'));
    file.close();
    const QString out = dir_.filePath(QStringLiteral("stream.bin"));
    const Result r =
        run(QStringLiteral("orvik-skingen"), {QStringLiteral("--stream"), garbage, out});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(garbage), qPrintable(r.err));
    QVERIFY(!QFile::exists(out));
}

QTEST_MAIN(TestSkinGen)
#include "test_skingen.moc"
