// Which player an address goes to.
#include "app/forms/RealMediaAddress.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

class TestRealMedia : public QObject {
    Q_OBJECT
private slots:
    void markers_data();
    void markers();
    void sampleCatalogueHostNames();
};

void TestRealMedia::markers_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("real");
    QTest::newRow(".rm at the end") << "rtsp://media.example.com/live.rm" << true;
    QTest::newRow(".RAM in capitals") << "http://media.example.com/LIVE.RAM" << true;
    QTest::newRow(".rmvb before a query")
        << "http://media.example.com/show.rmvb?start=0&end=600" << true;
    QTest::newRow("marker inside the path") << "http://media.example.com/a.ra/stream" << true;
    QTest::newRow(".rp and .rt") << "http://x.example.com/clip.rp" << true;
    QTest::newRow("no scheme, a bare file") << "clip.rv" << true;
    QTest::newRow(".rm in the host name") << "http://live.rmradio.example.net/stream.mp3" << false;
    QTest::newRow("radiofrance host") << "http://icecast.radiofrance.fr/fip-midfi.mp3" << false;
    QTest::newRow("radiojar host") << "https://stream.radiojar.com/0tpy1h0kxtzuv" << false;
    QTest::newRow("rtl host") << "https://live-edge.rtl.lu/live/radio.m3u8" << false;
    QTest::newRow("radio.co host") << "https://streams.radio.co/s2c3c1b4f0/listen" << false;
    QTest::newRow("host with a port") << "http://a.rv.example.com:8000/live" << false;
    QTest::newRow("host only") << "http://media.example.rm" << false;
    QTest::newRow("marker only in the query") << "http://x.example.com/play.mp3?file=a.rm" << false;
    QTest::newRow("marker only in the fragment") << "http://x.example.com/play#a.rm" << false;
    QTest::newRow("query straight after the host") << "http://x.example.com?a.rm" << false;
    QTest::newRow(".asx") << "http://x.example.com/live.asx" << false;
    QTest::newRow(".mp3") << "http://x.example.com/live.mp3" << false;
    QTest::newRow("mms") << "mms://media.example.com/live" << false;
    QTest::newRow("capital web marker") << "../WEB.HTM" << false;
    QTest::newRow("empty") << "" << false;
    // Only a to z are capitalised: a dotless i does not become I, and so on.
    QTest::newRow("non-ASCII letters") << QString::fromUtf8("http://x.example.com/ı.rä") << false;
}

void TestRealMedia::markers() {
    QFETCH(QString, address);
    QFETCH(bool, real);
    QCOMPARE(orvik::IsRealMedia(address), real);
}

// The sample catalogue's ordinary streams whose host names carry a marker stay with the
// media player.
void TestRealMedia::sampleCatalogueHostNames() {
    QFile sql(QStringLiteral(ORVIK_SOURCE_DIR "/data/catalogue.sql"));
    QVERIFY(sql.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(sql.readAll());
    static const QRegularExpression address(QStringLiteral("'((?:https?|mms|rtsp)://[^']*)'"));
    int inHost = 0;
    int real = 0;
    for (auto it = address.globalMatch(text); it.hasNext();) {
        const QString url = it.next().captured(1);
        const QString host = url.section(u'/', 2, 2).toUpper();
        const bool hostMarker =
            host.contains(QStringLiteral(".RM")) || host.contains(QStringLiteral(".RT")) ||
            host.contains(QStringLiteral(".RA")) || host.contains(QStringLiteral(".RP")) ||
            host.contains(QStringLiteral(".RV"));
        if (hostMarker) {
            ++inHost;
            if (orvik::IsRealMedia(url) && !orvik::addressPath(url).contains(u'.'))
                QFAIL(qPrintable(url));
        }
        if (orvik::IsRealMedia(url))
            ++real;
    }
    QVERIFY2(inHost >= 100, qPrintable(QString::number(inHost)));
    // A few streams carry a host name again inside their path (streams.radiobob.de/...); they
    // are the only ones left for the RealMedia player.
    QCOMPARE(real, 6);
}

QTEST_APPLESS_MAIN(TestRealMedia)
#include "test_realmedia.moc"
