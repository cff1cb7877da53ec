// orvik-skin check: the report of a sound skin, of a skin with every kind of problem, and of
// files that are no skin at all.

#include "skin/data/Lzh.h"
#include "tests/common/ResourceMeter.h"
#include "tests/skindata/HostileSkins.h"
#include "tests/skindata/SkinTestKit.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace skintest;

class TestSkinCheck : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    struct Result {
        int exitCode;
        QString out;
        QString err;
    };

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    Result check(const QString& path) {
        QProcess tool;
        tool.start(QStringLiteral(ORVIK_BUILD_DIR "/orvik-skin"), {"check", path});
        if (!tool.waitForFinished(60000))
            qFatal("orvik-skin did not finish");
        return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
                QString::fromUtf8(tool.readAllStandardError())};
    }

private slots:
    void soundSkin() {
        PackageRecipe recipe;
        recipe.definition = QStringList{"[Personality]", "Top=top.bmp", "TopFrame=2",
                                        "[ButtonClose]", "ButtonImage=close.bmp"};
        recipe.pictures = {{"top.bmp", solid(30, 20, Qt::blue)},
                           {"close.bmp", solid(60, 21, Qt::red)}};
        const Result r = check(write("sound.skn", recipe.container()));
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.contains("no problems"), qPrintable(r.out));
        QVERIFY(r.out.contains(QRegularExpression("Top +present, 2 frame\\(s\\), 30 x 20")));
        QVERIFY(r.out.contains(QRegularExpression("caption BUTTONCLOSE +present, 3 frame")));
        QVERIFY(r.out.contains(QRegularExpression("Headerbar +absent")));
        QVERIFY(r.out.contains(QRegularExpression("Toolbar +present, 1 frame\\(s\\), 10 x 40")));
    }

    void everyKindOfProblem() {
        PackageRecipe recipe;
        recipe.definition = QStringList{"[Personality]",
                                        "Top=top.bmp",
                                        "TopFrame=3",
                                        "Left=Skin\\gone.bmp",
                                        "[ButtonClose]",
                                        "ButtonImage=close.bmp",
                                        "frame=7",
                                        "[Headerbar]",
                                        "Image=pic.tga",
                                        "[Buttons]",
                                        "CheckButton=check.bmp",
                                        "CheckButtonFrame=5",
                                        "[MenuItem]",
                                        "Image=broken.bmp"};
        recipe.pictures = {{"top.bmp", solid(30, 20, Qt::blue)},
                           {"close.bmp", solid(60, 21, Qt::red)},
                           {"check.bmp", solid(52, 13, Qt::red)}};
        QList<TSkinPackageEntry> entries;
        entries.append({"Test.ini", recipe.definition.join("\r\n").toLatin1()});
        for (const auto& [name, image] : recipe.pictures)
            entries.append({name, bmpBytes(image)});
        entries.append(TSkinPackageEntry{"notes.txt", "hello"});
        entries.append(TSkinPackageEntry{"broken.bmp", "BM not really"});
        const Result r = check(write("problems.skn", orvik::PackSkinPackage(entries)));
        QCOMPARE(r.exitCode, 1);
        const QStringList expected{
            "entry notes.txt is not a BMP picture",
            "entry broken.bmp is not a BMP picture",
            "[Personality] Left=Skin\\gone.bmp: the package has no entry gone.bmp",
            "[Headerbar] Image=pic.tga: only .bmp pictures are loaded",
            "[MenuItem] Image=broken.bmp: the entry is not a readable BMP picture",
            "Top: 20 pixels high do not divide into 3 frames",
            "caption BUTTONCLOSE: 60 pixels wide do not divide into 7 frames",
            "Buttons check box: 52 pixels wide do not divide into 5 frames"};
        for (const QString& line : expected)
            QVERIFY2(r.out.contains(line), qPrintable(line + "\n---\n" + r.out));
        QVERIFY(r.out.contains(QString("%1 problem(s)").arg(expected.size())));
    }

    void refusedPicturesAreProblems() {
        // A kilobyte that names a 33-megapixel picture thirty times: the check neither decodes
        // it nor calls the skin sound.
        QElapsedTimer timer;
        timer.start();
        const Result r = check(write("amplifier.skn", hostile::amplifier()));
        QVERIFY2(timer.elapsed() < 10'000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(!r.out.contains("no problems"), qPrintable(r.out));
        QVERIFY2(r.out.contains("picture big.bmp refused: it is 5792 x 5792 pixels"),
                 qPrintable(r.out));
        QVERIFY2(r.out.contains("1 problem(s)"), qPrintable(r.out));
    }

    void noSkinAtAll() {
        Result r = check(write("garbage.skn", QByteArray(500, 'x')));
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!r.err.isEmpty());
        r = check(
            write("old.skn", TLZH::PackBytes(QByteArray::fromHex("1f4e0000") + QByteArray(12, 0))));
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("Older Skin File"), qPrintable(r.err));
        r = check(dir_.filePath("missing.skn"));
        QCOMPARE(r.exitCode, 1);
        r = check(write("noini.skn",
                        orvik::PackSkinPackage({{"a.bmp", bmpBytes(solid(4, 4, Qt::red))}})));
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.contains("the package has no definition"));
    }
};

QTEST_GUILESS_MAIN(TestSkinCheck)
#include "TestSkinCheck.moc"
