// Skin package reader: indexing, name rules, picture loading, the stored form, and every
// refusal of a hostile package leaving the package loaded before in force.

#include "skin/data/Lzh.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinReaderPackage.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray bmp(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QPainter(&image).fillRect(0, 0, width / 2, height / 2, Qt::magenta);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return data;
}

QByteArray word(qint32 value) {
    QByteArray w(4, Qt::Uninitialized);
    qToLittleEndian<qint32>(value, w.data());
    return w;
}

// A raw unpacked package from its parts, for packages the builder refuses to make.
QByteArray rawPackage(qint32 version, qint32 namesLength, const QByteArray& names,
                      const QList<qint32>& sizes, const QByteArray& data) {
    QByteArray out = word(version) + word(namesLength) + word(0) + word(0) + names;
    for (qint32 s : sizes)
        out += word(s);
    return out + data;
}

const QList<TSkinPackageEntry> sampleEntries() {
    return {{QStringLiteral("Sample.ini"), "[TitlebarSkin]\r\nSkinName=Sample\r\n"},
            {QStringLiteral("FrameTop.bmp"), bmp(30, 10, Qt::blue)},
            {QStringLiteral("combo-arrows.bmp"), bmp(16, 8, Qt::green)},
            {QStringLiteral("pic.tga"), bmp(4, 4, Qt::red)},
            {QStringLiteral("broken.bmp"), QByteArray("BM\x40\0\0\0 not really a bitmap")},
            {QStringLiteral("empty.bmp"), QByteArray()}};
}

// Records what the reader shows to the user.
struct HookRecorder {
    QStringList shown;
    TSkinReader::MessageHook previous;
    HookRecorder() {
        previous = TSkinReader::SetMessageHook([this](const QString& t) { shown << t; });
    }
    ~HookRecorder() { TSkinReader::SetMessageHook(previous); }
};

} // namespace

class TestSkinReader : public QObject {
    Q_OBJECT

private slots:
    void indexesEntriesAndHeader();
    void splitsNamesLikeATextList_data();
    void splitsNamesLikeATextList();
    void loadImageRules_data();
    void loadImageRules();
    void damagedBitmapsStayEmpty();
    void firstOfDuplicateNamesWins();
    void findEntryIsCaseSensitiveOnLowerCaseNames();
    void oldVersionShowsTheMessageAndKeepsThePackage();
    void hostilePackagesAreRefused_data();
    void hostilePackagesAreRefused();
    void exactlyTheLargestEntryCountLoads();
    void skinStreamRoundTrip();
    void skinStreamRefusals_data();
    void skinStreamRefusals();
    void loadsFromAFile();
};

void TestSkinReader::indexesEntriesAndHeader() {
    const auto entries = sampleEntries();
    QByteArray plain = orvik::BuildSkinPackage(entries, {1234, -5});
    TSkinReader reader;
    QVERIFY(reader.LoadPackage(TLZH::PackBytes(plain)));
    QVERIFY(reader.IsLoaded());
    QCOMPARE(reader.EntryCount(), entries.size());
    QCOMPARE(reader.EntryNames(), QStringList({"sample.ini", "frametop.bmp", "combo-arrows.bmp",
                                               "pic.tga", "broken.bmp", "empty.bmp"}));
    const qint32 namesLength = qFromLittleEndian<qint32>(plain.constData() + 4);
    QCOMPARE(reader.Header(), (std::array<qint32, 4>{20000, namesLength, 1234, -5}));
    qint64 offset = 0;
    for (int k = 0; k < entries.size(); ++k) {
        QCOMPARE(reader.EntrySize(k), entries[k].Data.size());
        QCOMPARE(reader.EntryOffset(k), offset);
        offset += entries[k].Data.size();
        // Looked up by the stored name in any letter case.
        QCOMPARE(reader.GetEntry(entries[k].Name.toUpper()), entries[k].Data);
    }
    QCOMPARE(reader.EntryData().size(), offset);

    QByteArray output("stale");
    reader.GetEntry(QStringLiteral("missing.bmp"), output);
    QVERIFY(output.isEmpty());
}

void TestSkinReader::splitsNamesLikeATextList_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("CR LF") << QByteArray("A.bmp\r\nB.ini") << QStringList{"a.bmp", "b.ini"};
    QTest::newRow("trailing break") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("CR, LF alone") << QByteArray("a\rb\nc") << QStringList{"a", "b", "c"};
    QTest::newRow("empty middle") << QByteArray("a\r\n\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("LF CR is two") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("NUL ends") << QByteArray("a\r\nb\0c\r\n", 8) << QStringList{"a", "b"};
    QTest::newRow("nothing") << QByteArray() << QStringList{};
    QTest::newRow("only a break") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("ASCII only lowered") << QByteArray("\xC4Z.BMP") << QStringList{"\u00C4z.bmp"};
}

void TestSkinReader::splitsNamesLikeATextList() {
    QFETCH(QByteArray, text);
    QFETCH(QStringList, names);
    QCOMPARE(TSkinReader::SplitNames(text), names);
}

void TestSkinReader::loadImageRules_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("entry"); // empty: the picture must stay empty
    QTest::newRow("folder and case") << "skin\\Combo-Arrows.bmp"
                                     << "combo-arrows.bmp";
    QTest::newRow("drive") << "C:FrameTop.bmp"
                           << "frametop.bmp";
    QTest::newRow("full path") << "C:\\skins\\x\\frametop.bmp"
                               << "frametop.bmp";
    QTest::newRow("slash is no separator") << "skin/frametop.bmp"
                                           << "";
    QTest::newRow("upper-case extension") << "frametop.BMP"
                                          << "";
    QTest::newRow("tga entry exists") << "pic.tga"
                                      << "";
    QTest::newRow("no extension") << "frametop"
                                  << "";
    QTest::newRow("only a folder") << "skin\\"
                                   << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("missing entry") << "nothere.bmp"
                                   << "";
    QTest::newRow("empty entry") << "empty.bmp"
                                 << "";
}

void TestSkinReader::loadImageRules() {
    QFETCH(QString, value);
    QFETCH(QString, entry);
    TSkinReader reader;
    QVERIFY(reader.LoadPackage(orvik::PackSkinPackage(sampleEntries())));
    QImage target(5, 5, QImage::Format_RGB32); // whatever was there goes
    const bool loaded = reader.LoadImage(value, target);
    QCOMPARE(loaded, !entry.isEmpty());
    QCOMPARE(target.isNull(), entry.isEmpty());
    if (!entry.isEmpty()) {
        QImage expected;
        QVERIFY(expected.loadFromData(reader.GetEntry(entry), "BMP"));
        QCOMPARE(target, expected);
        QCOMPARE(target.pixelColor(0, 0), QColor(Qt::magenta));
    }
}

void TestSkinReader::damagedBitmapsStayEmpty() {
    TSkinReader reader;
    QVERIFY(reader.LoadPackage(orvik::PackSkinPackage(sampleEntries())));
    QImage target(5, 5, QImage::Format_RGB32);
    QVERIFY(!reader.LoadImage(QStringLiteral("broken.bmp"), target));
    QVERIFY(target.isNull());

    // A bitmap that claims a huge picture is refused by the decoder, not allocated.
    QByteArray huge = bmp(8, 8, Qt::white);
    qToLittleEndian<qint32>(200'000, huge.data() + 18);
    qToLittleEndian<qint32>(200'000, huge.data() + 22);
    QVERIFY(reader.LoadPackage(orvik::PackSkinPackage({{QStringLiteral("huge.bmp"), huge}})));
    QVERIFY(!reader.LoadImage(QStringLiteral("huge.bmp"), target));
    QVERIFY(target.isNull());
}

void TestSkinReader::firstOfDuplicateNamesWins() {
    TSkinReader reader;
    QVERIFY(reader.LoadPackage(orvik::PackSkinPackage({{QStringLiteral("a.ini"), "first"},
                                                       {QStringLiteral("A.INI"), "second"},
                                                       {QStringLiteral("b.ini"), "third"}})));
    QCOMPARE(reader.GetEntry(QStringLiteral("a.ini")), QByteArray("first"));
    QByteArray out;
    QString found;
    QVERIFY(reader.FindEntry(QStringLiteral(".ini"), out, found));
    QCOMPARE(out, QByteArray("first"));
    QCOMPARE(found, QStringLiteral("a.ini"));
    // The third entry is still found where it is: offsets skip both duplicates.
    QCOMPARE(reader.GetEntry(QStringLiteral("b.ini")), QByteArray("third"));
}

void TestSkinReader::findEntryIsCaseSensitiveOnLowerCaseNames() {
    TSkinReader reader;
    QVERIFY(reader.LoadPackage(orvik::PackSkinPackage(sampleEntries())));
    QByteArray out("stale");
    QString found = QStringLiteral("kept");
    QVERIFY(!reader.FindEntry(QStringLiteral(".INI"), out, found));
    QVERIFY(out.isEmpty());
    QCOMPARE(found, QStringLiteral("kept"));
    QVERIFY(reader.FindEntry(QStringLiteral(".ini"), out, found));
    QCOMPARE(found, QStringLiteral("sample.ini"));
    QVERIFY(out.startsWith("[TitlebarSkin]"));
}

void TestSkinReader::oldVersionShowsTheMessageAndKeepsThePackage() {
    HookRecorder hook;
    TSkinReader reader;
    QVERIFY(reader.LoadPackage(orvik::PackSkinPackage(sampleEntries())));
    QByteArray old = orvik::BuildSkinPackage({{QStringLiteral("other.ini"), "x"}});
    qToLittleEndian<qint32>(19999, old.data());
    QVERIFY(!reader.LoadPackage(TLZH::PackBytes(old)));
    QCOMPARE(hook.shown, QStringList{QStringLiteral(
                             "This is Older Skin File\rPlease update to new version !")});
    QCOMPARE(reader.ErrorText(), TSkinReader::OldSkinMessage);
    QCOMPARE(reader.EntryNames().first(), QStringLiteral("sample.ini"));
    QVERIFY(reader.GetEntry(QStringLiteral("other.ini")).isEmpty());
}

void TestSkinReader::hostilePackagesAreRefused_data() {
    QTest::addColumn<QByteArray>("container");
    auto packed = [](const QByteArray& plain) { return TLZH::PackBytes(plain); };
    const QByteArray names("a.bmp\r\nb.bmp\r\n");
    QTest::newRow("size above 64 MiB") << word(64 * 1024 * 1024 + 1) + QByteArray(100, 'x');
    QTest::newRow("negative size") << word(-10) + QByteArray(100, 'x');
    QTest::newRow("no size word") << QByteArray("\1\0", 2);
    QTest::newRow("empty package") << packed(QByteArray());
    QTest::newRow("shorter than header") << packed(word(20000) + word(0));
    QTest::newRow("names past the end") << packed(rawPackage(20000, 500, names, {1, 1}, "xy"));
    QTest::newRow("names length negative") << packed(rawPackage(20000, -1, names, {1, 1}, "xy"));
    QTest::newRow("sizes past the end") << packed(rawPackage(20000, 14, names, {1}, {}));
    QTest::newRow("negative entry size") << packed(rawPackage(20000, 14, names, {-1, 3}, "xy"));
    QTest::newRow("entries past the data") << packed(rawPackage(20000, 14, names, {1, 2}, "xy"));
    QTest::newRow("sizes add up past 2^31")
        << packed(rawPackage(20000, 14, names, {0x7FFFFFFF, 0x7FFFFFFF}, "xy"));
    QByteArray many;
    for (int k = 0; k <= TSkinReader::MaxEntries; ++k)
        many += "e" + QByteArray::number(k) + ".bmp\r\n";
    QTest::newRow("1002 entries") << packed(
        rawPackage(20000, qint32(many.size()), many, QList<qint32>(1002, 0), {}));
}

void TestSkinReader::hostilePackagesAreRefused() {
    QFETCH(QByteArray, container);
    HookRecorder hook;
    TSkinReader reader;
    QVERIFY(reader.LoadPackage(orvik::PackSkinPackage(sampleEntries())));
    const QByteArray before = reader.EntryData();

    QVERIFY(!reader.LoadPackage(container));
    QVERIFY(!reader.ErrorText().isEmpty());
    QCOMPARE(hook.shown, QStringList{reader.ErrorText()});
    QVERIFY(reader.ErrorText() != TSkinReader::OldSkinMessage);
    // The package loaded before is still whole.
    QVERIFY(reader.IsLoaded());
    QCOMPARE(reader.EntryCount(), 6);
    QCOMPARE(reader.EntryData(), before);
    QCOMPARE(reader.GetEntry(QStringLiteral("sample.ini")), sampleEntries().first().Data);
}

void TestSkinReader::exactlyTheLargestEntryCountLoads() {
    QList<TSkinPackageEntry> entries;
    for (int k = 0; k < TSkinReader::MaxEntries; ++k)
        entries.append({QStringLiteral("e%1.bmp").arg(k), QByteArray::number(k)});
    TSkinReader reader;
    QVERIFY(reader.LoadPackage(orvik::PackSkinPackage(entries)));
    QCOMPARE(reader.EntryCount(), TSkinReader::MaxEntries);
    QCOMPARE(reader.GetEntry(QStringLiteral("e1000.bmp")), QByteArray("1000"));
    entries.append({QStringLiteral("one-too-many.bmp"), {}});
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, orvik::BuildSkinPackage(entries));
}

void TestSkinReader::skinStreamRoundTrip() {
    const QByteArray container = orvik::PackSkinPackage(sampleEntries());
    QByteArray stored = TSkinReader::WriteSkinStream(container) + "after";
    QBuffer in(&stored);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const auto read = TSkinReader::ReadSkinStream(in);
    QVERIFY(read.has_value());
    QCOMPARE(*read, container);
    QCOMPARE(in.readAll(), QByteArray("after"));

    // Length 0: the four bytes only, and nothing to load.
    QCOMPARE(TSkinReader::WriteSkinStream({}), word(0));
    QByteArray zero = word(0) + "after";
    QBuffer zeroIn(&zero);
    QVERIFY(zeroIn.open(QIODevice::ReadOnly));
    const auto none = TSkinReader::ReadSkinStream(zeroIn);
    QVERIFY(none.has_value() && none->isEmpty());
    QCOMPARE(zeroIn.pos(), 4);
}

void TestSkinReader::skinStreamRefusals_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("no length word") << QByteArray("\5\0", 2);
    QTest::newRow("length past the end") << word(100) + QByteArray(99, 'x');
    QTest::newRow("length above 64 MiB") << word(64 * 1024 * 1024 + 1);
}

void TestSkinReader::skinStreamRefusals() {
    QFETCH(QByteArray, stored);
    QBuffer in(&stored);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QString error;
    QVERIFY(!TSkinReader::ReadSkinStream(in, &error).has_value());
    QVERIFY(!error.isEmpty());
    QCOMPARE(in.pos(), 0);
}

void TestSkinReader::loadsFromAFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("sample.skn")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(orvik::PackSkinPackage(sampleEntries()));
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly));
    TSkinReader reader;
    QVERIFY(reader.LoadPackage(file));
    QCOMPARE(reader.EntryCount(), 6);

    QByteArray unpacked;
    QBuffer out(&unpacked);
    QVERIFY(out.open(QIODevice::WriteOnly));
    TSkinReader::Unpack(file, out);
    QCOMPARE(unpacked, orvik::BuildSkinPackage(sampleEntries()));
}

QTEST_GUILESS_MAIN(TestSkinReader)
#include "test_skinreader.moc"
