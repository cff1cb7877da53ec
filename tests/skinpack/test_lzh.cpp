// LZH coding: round trips through the packer and the decoder, cross-checked against the plain
// reference decoder; truncated and hostile containers.

#include "skin/data/Lzh.h"
#include "tests/skinpack/ReferenceLzh.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed) {
    QRandomGenerator rng(seed);
    QByteArray data(size, Qt::Uninitialized);
    for (auto& b : data)
        b = char(rng.bounded(256));
    return data;
}

// Words drawn at random from a small vocabulary: matches of every length and plenty of
// literals, long enough to push the root frequency past the rebuild limit several times.
QByteArray wordSoup(qsizetype size, quint32 seed) {
    static const char* words[] = {"skin",   "frame", "button", "caption", "menu",   "border",
                                  "Orvik",  "radio", "tv",     "station", "\r\n",   "=",
                                  "colour", "0",     "255",    "bitmap",  "title ", "; "};
    QRandomGenerator rng(seed);
    QByteArray data;
    while (data.size() < size) {
        data += words[rng.bounded(int(std::size(words)))];
        if (rng.bounded(4) == 0)
            data += char('a' + rng.bounded(26));
    }
    data.truncate(size);
    return data;
}

QByteArray container(qint32 size, const QByteArray& stream) {
    QByteArray c(4, Qt::Uninitialized);
    qToLittleEndian<qint32>(size, c.data());
    return c + stream;
}

} // namespace

class TestLzh : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void spacesMatchTheInitialRing();
    void literalOnlyTextRebuildsTheTree();
    void runOutStreamIsReported();
    void emptyContainerGivesNothing();
    void truncatedStreamGivesDeclaredSizeOrOneMatchMore();
    void garbageDecodesLikeTheReference();
    void hostileSizesAreRefused_data();
    void hostileSizesAreRefused();
    void streamInterfaceRewindsBothDevices();
};

void TestLzh::roundTrip_data() {
    QTest::addColumn<QByteArray>("plain");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("one byte") << QByteArray("A");
    QTest::newRow("59 equal") << QByteArray(59, 'x');
    QTest::newRow("60 equal") << QByteArray(60, 'x');
    QTest::newRow("61 equal") << QByteArray(61, 'x');
    QTest::newRow("61 zeros") << QByteArray(61, '\0');
    QTest::newRow("5000 spaces") << QByteArray(5000, ' ');
    QTest::newRow("random 100 KB") << randomBytes(100'000, 7);
    QTest::newRow("word soup 300 KB") << wordSoup(300'000, 11);
    QByteArray longRange = randomBytes(3000, 3);
    longRange += randomBytes(1100, 4) + longRange; // a match 4100 bytes back is out of reach
    longRange += longRange.right(4096);            // exactly the whole ring back
    QTest::newRow("far repeats") << longRange;
}

void TestLzh::roundTrip() {
    QFETCH(QByteArray, plain);
    const QByteArray packed = TLZH::PackBytes(plain);
    QCOMPARE(TLZH::DeclaredSize(packed), plain.size());
    const QByteArray unpacked = TLZH::UnpackBytes(packed);
    QCOMPARE(unpacked.size(), plain.size());
    QVERIFY(unpacked == plain);
    QVERIFY(reference::decode(packed.mid(4), qint32(plain.size())) == plain);
}

void TestLzh::spacesMatchTheInitialRing() {
    // The ring starts full of spaces, so spaces are matches from the first symbol on: at most
    // a few bytes per 60 spaces.
    const QByteArray plain(5000, ' ');
    const QByteArray stream = TLZH::EncodeStream(plain);
    QVERIFY2(stream.size() < 5000 / 60 * 3, qPrintable(QString::number(stream.size())));
    QCOMPARE(TLZH::DecodeStream(stream, 5000), plain);

    // 60 spaces are one match symbol and one position, nothing else.
    const QByteArray sixty = TLZH::EncodeStream(QByteArray(60, ' '));
    QCOMPARE(TLZH::DecodeStream(sixty, 60), QByteArray(60, ' '));
    QVERIFY(sixty.size() <= 4);
}

void TestLzh::literalOnlyTextRebuildsTheTree() {
    // The tree is rebuilt when the root's count reaches 0x8000: after 32,454 symbols, then
    // again each time the halved counts have grown back. 80,000 letters drawn from 64 code
    // almost only as literals, so the stream takes the decoder through several rebuilds.
    QRandomGenerator rng(99);
    QByteArray plain(80'000, Qt::Uninitialized);
    for (auto& b : plain)
        b = char('0' + rng.bounded(64));
    const QByteArray stream = TLZH::EncodeStream(plain);
    TLZH::DecodeStats stats;
    QCOMPARE(TLZH::DecodeStream(stream, qint32(plain.size()), &stats), plain);
    QVERIFY2(stats.Symbols > 70'000, qPrintable(QString::number(stats.Symbols)));
    QVERIFY2(stats.Rebuilds >= 2, qPrintable(QString::number(stats.Rebuilds)));
    // The plain decoder rebuilt as often and agrees byte for byte: a wrong rebuild that the
    // packer shares with the decoder would still round-trip, but not match it.
    int referenceRebuilds = 0;
    QCOMPARE(reference::decode(stream, qint32(plain.size()), &referenceRebuilds), plain);
    QCOMPARE(referenceRebuilds, stats.Rebuilds);
    QCOMPARE(stats.BitsPastEnd, qint64(0));
    QCOMPARE(stats.OutputAtEnd, qint64(-1));
}

void TestLzh::runOutStreamIsReported() {
    const QByteArray plain = wordSoup(50'000, 8);
    const QByteArray stream = TLZH::EncodeStream(plain);
    TLZH::DecodeStats whole;
    TLZH::DecodeStream(stream, qint32(plain.size()), &whole);
    QVERIFY(whole.BitsPastEnd <= TLZH::EndSlackBits);
    QCOMPARE(whole.OutputAtEnd, qint64(-1));

    // Cut: the decoder goes on as before (zero bits), and says where the stream ran out.
    TLZH::DecodeStats cut;
    const QByteArray out = TLZH::DecodeStream(stream.left(stream.size() / 2), 50'000, &cut);
    QVERIFY(out.size() >= 50'000);
    QVERIFY(cut.OutputAtEnd > 0 && cut.OutputAtEnd < 50'000);
    QVERIFY(cut.BitsPastEnd > TLZH::EndSlackBits);
    // Up to the last symbols, which may have taken some of the zero bits, the output is right.
    const qint64 sure = cut.OutputAtEnd - TLZH::EndSlackBits * TLZH::MaxMatch;
    QVERIFY(sure > 10'000);
    QVERIFY(out.left(sure) == plain.left(sure));
    // Asked to, it stops there instead.
    TLZH::DecodeStats stopped;
    const QByteArray shortOut =
        TLZH::DecodeStream(stream.left(stream.size() / 2), 50'000, &stopped, true);
    QCOMPARE(qint64(shortOut.size()), cut.OutputAtEnd);
}

void TestLzh::emptyContainerGivesNothing() {
    QCOMPARE(TLZH::UnpackBytes(container(0, QByteArray())), QByteArray());
    QCOMPARE(TLZH::UnpackBytes(container(0, randomBytes(100, 1))), QByteArray());
    QCOMPARE(TLZH::PackBytes(QByteArray()), container(0, QByteArray()));
}

void TestLzh::truncatedStreamGivesDeclaredSizeOrOneMatchMore() {
    const QByteArray plain = wordSoup(50'000, 5);
    const QByteArray stream = TLZH::EncodeStream(plain);
    for (qsizetype cut : {qsizetype(0), qsizetype(1), qsizetype(7), stream.size() / 3,
                          stream.size() / 2, stream.size() - 1}) {
        const QByteArray damaged = stream.left(cut);
        const QByteArray out = TLZH::UnpackBytes(container(qint32(plain.size()), damaged));
        QVERIFY2(out.size() >= plain.size() && out.size() < plain.size() + TLZH::MaxMatch,
                 qPrintable(QStringLiteral("cut %1: %2 bytes").arg(cut).arg(out.size())));
        // The zero bits after the end decode the same way everywhere.
        QCOMPARE(out, reference::decode(damaged, qint32(plain.size())));
    }
}

void TestLzh::garbageDecodesLikeTheReference() {
    // Random bit streams exercise every path of the bit reader and the tree, including
    // overlapping matches and matches into the never-written end of the ring.
    for (quint32 seed = 1; seed <= 40; ++seed) {
        const QByteArray stream = randomBytes(qsizetype(seed * 37 % 2000), seed);
        const qint32 size = qint32(seed * 997 % 30'000);
        const QByteArray fast = TLZH::DecodeStream(stream, size);
        QVERIFY(fast.size() >= size && fast.size() < size + TLZH::MaxMatch);
        QVERIFY2(fast == reference::decode(stream, size), qPrintable(QString::number(seed)));
    }
}

void TestLzh::hostileSizesAreRefused_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("negative") << container(-1, randomBytes(100, 2));
    QTest::newRow("most negative") << container(std::numeric_limits<qint32>::min(), {});
    QTest::newRow("64 MiB + 1") << container(TLZH::MaxUnpackedSize + 1, randomBytes(10, 2));
    QTest::newRow("largest") << container(std::numeric_limits<qint32>::max(), {});
    QTest::newRow("three bytes") << QByteArray("\x10\0\0", 3);
    QTest::newRow("nothing") << QByteArray();
}

void TestLzh::hostileSizesAreRefused() {
    QFETCH(QByteArray, data);
    QVERIFY_THROWS_EXCEPTION(ElzhException, TLZH::UnpackBytes(data));

    QBuffer in(&data);
    QByteArray outBytes("untouched");
    QBuffer out(&outBytes);
    QVERIFY(in.open(QIODevice::ReadOnly) && out.open(QIODevice::ReadWrite));
    try {
        TLZH(in, out).Unpack();
        QFAIL("no exception");
    } catch (const ElzhException& e) {
        QVERIFY(e.message().startsWith(QLatin1String("LZH : ")));
    }
    QCOMPARE(outBytes, QByteArray("untouched"));
}

void TestLzh::streamInterfaceRewindsBothDevices() {
    const QByteArray plain = wordSoup(10'000, 8);
    QByteArray packedBytes;
    {
        QByteArray source = plain;
        QBuffer in(&source), out(&packedBytes);
        QVERIFY(in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly));
        in.seek(500); // both positions are set to 0 first
        TLZH(in, out).Pack();
    }
    QCOMPARE(packedBytes, TLZH::PackBytes(plain));

    QByteArray unpacked;
    QBuffer in(&packedBytes), out(&unpacked);
    QVERIFY(in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly));
    in.seek(3);
    TLZH(in, out).Unpack();
    QCOMPARE(unpacked, plain);
}

QTEST_GUILESS_MAIN(TestLzh)
#include "test_lzh.moc"
