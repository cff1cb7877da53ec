// The orvik-skin tool, run as a program: pack -> list -> unpack round trip, bare containers,
// and its refusals (exit codes, messages, nothing written).

#include "skin/data/Lzh.h"
#include "skin/data/SkinReaderPackage.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

struct Result {
    int code = -1;
    QString out, err;
};

Result runTool(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(ORVIK_BUILD_DIR "/orvik-skin"), args);
    Result r;
    if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit)
        return r;
    r.code = process.exitCode();
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), data.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestOrvikSkin : public QObject {
    Q_OBJECT

private slots:
    void packListUnpackRoundTrip();
    void bareContainersRoundTrip();
    void wrongArgumentsShowUsage_data();
    void wrongArgumentsShowUsage();
    void refusesDamagedPackages();
    void unpackNeverWritesOutsideTheFolder();
    void packRefusesNamesDifferingOnlyInCase();

private:
    QTemporaryDir dir_;
};

void TestOrvikSkin::packListUnpackRoundTrip() {
    const QString source = dir_.filePath(QStringLiteral("src"));
    QVERIFY(QDir().mkpath(source));
    QImage gradient(120, 40, QImage::Format_RGB32);
    for (int y = 0; y < gradient.height(); ++y)
        for (int x = 0; x < gradient.width(); ++x)
            gradient.setPixel(x, y, qRgb(x * 2, y * 6, 255 - x));
    QVERIFY(gradient.save(source + QStringLiteral("/FrameTop.bmp"), "BMP"));
    QByteArray noise(3000, Qt::Uninitialized);
    QRandomGenerator rng(1);
    for (auto& b : noise)
        b = char(rng.bounded(256));
    writeFile(source + QStringLiteral("/noise.bmp"), noise);
    writeFile(source + QStringLiteral("/Sample.ini"), "[TitlebarSkin]\r\nSkinName=Sample\r\n");
    writeFile(source + QStringLiteral("/empty.bmp"), QByteArray());

    const QString skn = dir_.filePath(QStringLiteral("sample.skn"));
    Result r = runTool({QStringLiteral("pack"), source, skn});
    QVERIFY2(r.code == 0, qPrintable(r.err));

    r = runTool({QStringLiteral("list"), skn});
    QCOMPARE(r.code, 0);
    const QStringList files = QDir(source).entryList(QDir::Files, QDir::Name);
    QStringList expected;
    for (const QString& name : files)
        expected << QStringLiteral("%1\t%2")
                        .arg(QFileInfo(source + '/' + name).size())
                        .arg(name.toLower());
    QCOMPARE(r.out.split('\n', Qt::SkipEmptyParts), expected);

    const QString target = dir_.filePath(QStringLiteral("unpacked"));
    r = runTool({QStringLiteral("unpack"), skn, target});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QCOMPARE(QDir(target).entryList(QDir::Files).size(), files.size());
    for (const QString& name : files)
        QCOMPARE(readFile(target + '/' + name.toLower()), readFile(source + '/' + name));
}

void TestOrvikSkin::bareContainersRoundTrip() {
    const QString plain = dir_.filePath(QStringLiteral("plain.txt"));
    QByteArray text;
    for (int k = 0; k < 5000; ++k)
        text += "line " + QByteArray::number(k % 97) + "\r\n";
    writeFile(plain, text);
    const QString packed = dir_.filePath(QStringLiteral("plain.lzh"));
    const QString back = dir_.filePath(QStringLiteral("plain.back"));
    QCOMPARE(runTool({QStringLiteral("lzh-encode"), plain, packed}).code, 0);
    QCOMPARE(TLZH::DeclaredSize(readFile(packed)), text.size());
    QCOMPARE(runTool({QStringLiteral("lzh-decode"), packed, back}).code, 0);
    QCOMPARE(readFile(back), text);

    // A cut container still decodes to exactly its declared size.
    writeFile(packed, readFile(packed).left(100));
    QCOMPARE(runTool({QStringLiteral("lzh-decode"), packed, back}).code, 0);
    QCOMPARE(readFile(back).size(), text.size());
}

void TestOrvikSkin::wrongArgumentsShowUsage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown") << QStringList{"frobnicate"};
    QTest::newRow("pack one argument") << QStringList{"pack", "x"};
    QTest::newRow("list two arguments") << QStringList{"list", "a", "b"};
}

void TestOrvikSkin::wrongArgumentsShowUsage() {
    QFETCH(QStringList, args);
    const Result r = runTool(args);
    QCOMPARE(r.code, 2);
    QVERIFY(r.err.contains(QLatin1String("usage: orvik-skin")));
}

void TestOrvikSkin::refusesDamagedPackages() {
    const QString missing = dir_.filePath(QStringLiteral("missing.skn"));
    Result r = runTool({QStringLiteral("list"), missing});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(missing));

    QByteArray old = orvik::BuildSkinPackage({{QStringLiteral("a.ini"), "x"}});
    qToLittleEndian<qint32>(19999, old.data());
    const QString oldSkn = dir_.filePath(QStringLiteral("old.skn"));
    writeFile(oldSkn, TLZH::PackBytes(old));
    r = runTool({QStringLiteral("unpack"), oldSkn, dir_.filePath(QStringLiteral("old"))});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QLatin1String("This is Older Skin File")));
    QVERIFY(!QFileInfo::exists(dir_.filePath(QStringLiteral("old"))));

    const QString huge = dir_.filePath(QStringLiteral("huge.skn"));
    writeFile(huge, QByteArray("\xff\xff\xff\x7f", 4) + QByteArray(64, '\0'));
    r = runTool({QStringLiteral("list"), huge});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QLatin1String("out of range")));
}

void TestOrvikSkin::unpackNeverWritesOutsideTheFolder() {
    const QString skn = dir_.filePath(QStringLiteral("evil.skn"));
    // The builder takes any Latin-1 name: a path in a name is the reader's problem.
    writeFile(skn, orvik::PackSkinPackage({{QStringLiteral("fine.bmp"), "a"},
                                           {QStringLiteral("../escaped.bmp"), "b"}}));
    const QString target = dir_.filePath(QStringLiteral("evil/inner"));
    const Result r = runTool({QStringLiteral("unpack"), skn, target});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QLatin1String("../escaped.bmp")));
    QVERIFY(!QFileInfo::exists(dir_.filePath(QStringLiteral("evil/escaped.bmp"))));
    QVERIFY(!QFileInfo::exists(target + QStringLiteral("/fine.bmp")));
}

void TestOrvikSkin::packRefusesNamesDifferingOnlyInCase() {
    const QString source = dir_.filePath(QStringLiteral("twins"));
    QVERIFY(QDir().mkpath(source));
    writeFile(source + QStringLiteral("/Top.bmp"), "1");
    writeFile(source + QStringLiteral("/top.bmp"), "2");
    const QString skn = dir_.filePath(QStringLiteral("twins.skn"));
    const Result r = runTool({QStringLiteral("pack"), source, skn});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QLatin1String("letter case")));
    QVERIFY(!QFileInfo::exists(skn));
}

QTEST_GUILESS_MAIN(TestOrvikSkin)
#include "test_orvikskin.moc"
