// The playlist readers and writers as values: every attribute, broken lines, encodings, the
// public lists, round trips, and hostile files in bounded time and memory.

#include "app/catalogue/PlaylistReader.h"
#include "app/catalogue/PlaylistText.h"
#include "app/catalogue/PlaylistWriter.h"
#include "app/catalogue/StreamAddress.h"
#include "core/ErrorWrapper.h"
#include "tests/playlist/ResourceBounds.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvik;

namespace {

const QString fixtures = QStringLiteral(ORVIK_SOURCE_DIR "/tests/fixtures/playlists/");

TPlaylist m3u(const QByteArray& text) {
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return ReadM3u(buffer);
}

TPlaylist pls(const QByteArray& text) {
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return ReadPls(buffer);
}

TPlaylist xspf(const QByteArray& text) {
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return ReadXspf(buffer);
}

QStringList names(const TPlaylist& list) {
    QStringList out;
    for (const auto& e : list.Entries)
        out << e.Name;
    return out;
}

QString errorOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const Error& e) {
        return e.message();
    }
    return {};
}

QByteArray written(void (*writer)(QIODevice&, const QList<TPlaylistEntry>&, const TProgress&),
                   const QList<TPlaylistEntry>& entries) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writer(buffer, entries, {});
    return buffer.data();
}

} // namespace

class TestPlaylistFormats : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString file(const QString& name, const QByteArray& content) {
        QFile f(dir_.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
            qFatal("cannot write %s", qPrintable(name));
        return f.fileName();
    }

private slots:
    void extendedM3uAttributes() {
        const TPlaylist list =
            m3u("#EXTM3U url-tvg=\"http://epg\"\n"
                "#EXTINF:-1 tvg-id=\"a.pt\" tvg-name=\"Epg Name\" tvg-logo=\"http://logo/a.png\" "
                "tvg-country=\"PT\" tvg-language=\"Portuguese\" group-title=\"News, Talk\","
                "Canal 1, the first (720p)\n"
                "#EXTVLCOPT:http-user-agent=Mozilla\n"
                "http://host/one.m3u8\n"
                "#EXTINF:123.5 tvg-name='Only Epg' group-title=Sports,\n"
                "https://host/two\n"
                "#EXTINF:0,Grouped\n"
                "#EXTGRP:Music\n"
                "rtmp://host/three\n"
                "#EXTINF:-1 group-title=\"Kids\",Attribute wins\n"
                "#EXTGRP:Ignored\n"
                "udp://@239.0.0.1:1234\n"
                "#EXTINF:-1\n"
                "mms://host/no-title\n");
        QCOMPARE(list.Unreadable, 0);
        QCOMPARE(list.Refused, 0);
        QCOMPARE(list.Entries.size(), 5);
        const TPlaylistEntry& a = list.Entries[0];
        QCOMPARE(a.Name, QStringLiteral("Canal 1, the first (720p)"));
        QCOMPARE(a.Url, QStringLiteral("http://host/one.m3u8"));
        QCOMPARE(a.Group, QStringLiteral("News, Talk"));
        QCOMPARE(a.Language, QStringLiteral("Portuguese"));
        QCOMPARE(a.Comment, QStringLiteral("Country: PT; Logo: http://logo/a.png"));
        QCOMPARE(CommentCountry(a.Comment), QStringLiteral("PT"));
        QCOMPARE(CommentLogo(a.Comment), QStringLiteral("http://logo/a.png"));
        // An empty title takes tvg-name; unquoted and single-quoted values are read.
        QCOMPARE(list.Entries[1].Name, QStringLiteral("Only Epg"));
        QCOMPARE(list.Entries[1].Group, QStringLiteral("Sports"));
        QCOMPARE(list.Entries[2].Group, QStringLiteral("Music"));
        QCOMPARE(list.Entries[3].Group, QStringLiteral("Kids"));
        QCOMPARE(list.Entries[4].Name, QStringLiteral("mms://host/no-title"));
        QVERIFY(list.Entries[4].Group.isEmpty());
    }

    void plainM3uAndRadioDirectives() {
        const TPlaylist plain = m3u("http://a/1\n\n# a comment\nhttps://b/2\n");
        QCOMPARE(names(plain), (QStringList{"http://a/1", "https://b/2"}));

        const TPlaylist radio = m3u("#EXTM3U\n#EXTINF:-1,Radio\n#HOMEPAGE:http://radio.example/\n"
                                    "#LANGUAGE:French\n#COUNTRY:France\n#DESCRIPTION:Jazz\n"
                                    "#BITRATE:128\nhttp://radio/stream\n"
                                    "#EXTINF:-1,Next\n#BITRATE:0\nhttp://next/\n");
        QCOMPARE(radio.Entries.size(), 2);
        const TPlaylistEntry& r = radio.Entries[0];
        QCOMPARE(r.Website, QStringLiteral("http://radio.example/"));
        QCOMPARE(r.Language, QStringLiteral("French"));
        QCOMPARE(r.Bitrate, QStringLiteral("128"));
        QCOMPARE(r.Comment, QStringLiteral("Jazz; Country: France"));
        // Directives belong to one entry only.
        QVERIFY(radio.Entries[1].Website.isEmpty());
        QVERIFY(radio.Entries[1].Bitrate.isEmpty());
    }

    void brokenM3uLines() {
        QByteArray text = "#EXTM3U\n"
                          "#EXTINF:-1,Lost (no address follows)\n"
                          "#EXTINF:-1 group-title=\"unterminated,Broken\n"
                          "http://after/broken\n"
                          "#EXTINF:-1,Local file\n"
                          "file:///etc/passwd\n"
                          "javascript:alert(1)\n"
                          "data:text/html,hi\n"
                          "/home/me/song.mp3\n"
                          "C:\\music\\song.mp3\n"
                          "ftp://host/x\n"
                          "not an address at all\n"
                          "http:\n";
        text += "http://host/" + QByteArray(70 * 1024, 'x') + "\n";
        text += "#EXTINF:-1,Good\nhttp://good/\n#EXTINF:-1,Dangling at the end\n";
        const TPlaylist list = m3u(text);
        QCOMPARE(names(list), (QStringList{"http://after/broken", "Good"}));
        // Lost, the unterminated quote, "not an address", the over-long line, the dangling one.
        QCOMPARE(list.Unreadable, 5);
        // file:, javascript:, data:, a path, a drive path, ftp:, and "http:" with nothing after.
        QCOMPARE(list.Refused, 7);
    }

    void encodingsAndLineEnds() {
        // UTF-8 with a byte order mark, CR LF line ends.
        TPlaylist a = m3u("\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:-1,Caf\xC3\xA9 \xE4\xB8\xAD\r\n"
                          "http://a/\r\n");
        QCOMPARE(names(a), QStringList{QStringLiteral(u"Café 中")});
        // Latin-1, CR alone.
        TPlaylist b = m3u("#EXTM3U\r#EXTINF:-1,Caf\xE9\rhttp://b/\r");
        QCOMPARE(names(b), QStringList{QStringLiteral(u"Café")});
        // LF, and a UTF-8 line beside a Latin-1 one in the same file.
        TPlaylist c = m3u("#EXTINF:-1,\xC3\x81"
                          "frica\nhttp://c/1\n#EXTINF:-1,\xC1"
                          "frica\nhttp://c/2");
        QCOMPARE(names(c), (QStringList{QStringLiteral(u"África"), QStringLiteral(u"África")}));
    }

    void lineEndsAcrossReadChunks() {
        // CR LF pairs that straddle the reader's buffer edges, and one last line without an end.
        QByteArray text;
        int expected = 0;
        while (text.size() < 3 * 256 * 1024) {
            text += "http://host/" + QByteArray::number(expected) + "/" +
                    QByteArray(expected % 97, 'p') + "\r\n";
            ++expected;
        }
        text += "http://host/last";
        ++expected;
        const TPlaylist list = m3u(text);
        QCOMPARE(list.Unreadable, 0);
        QCOMPARE(list.Entries.size(), expected);
        QCOMPARE(list.Entries.last().Url, QStringLiteral("http://host/last"));
        for (const auto& e : list.Entries)
            QVERIFY2(!e.Url.contains(u'\r') && !e.Url.isEmpty(), qPrintable(e.Url));
    }

    void publicTvLists() {
        const TPlaylist pt = ReadPlaylistFile(fixtures + "iptv-org_channels_pt.m3u");
        QCOMPARE(pt.Format, QStringLiteral("M3U"));
        QCOMPARE(pt.Entries.size(), 50);
        QCOMPARE(pt.Unreadable + pt.Refused, 0);
        QSet<QString> groups;
        int grouped = 0, logos = 0, portuguese = 0;
        for (const auto& e : pt.Entries) {
            if (!e.Group.isEmpty()) {
                groups.insert(e.Group);
                ++grouped;
            }
            portuguese += e.Language == u"Portuguese";
            QVERIFY2(e.Comment.startsWith(QStringLiteral("Country: PT")), qPrintable(e.Comment));
            logos += e.Comment.contains(QStringLiteral("; Logo: http"));
        }
        QCOMPARE(grouped, 48);
        QCOMPARE(logos, 48); // two entries have an empty tvg-logo
        QCOMPARE(portuguese, 45);
        QCOMPARE(groups, (QSet<QString>{"General", "Kids", "Legislative", "Movies", "Music", "News",
                                        "Religious", "Sports"}));
        QVERIFY(names(pt).contains(QStringLiteral("Canal 11 (720p)")));
        const auto accented = names(pt).filter(QRegularExpression(QStringLiteral("[çÁá]")));
        QVERIFY2(accented.size() >= 2, qPrintable(accented.join(u'|')));

        const TPlaylist fr = ReadPlaylistFile(fixtures + "iptv-org_fr.m3u");
        QCOMPARE(fr.Entries.size(), 135);
        QVERIFY(names(fr).filter(QStringLiteral(u"d’Huez")).size() == 1);

        const TPlaylist tw = ReadPlaylistFile(fixtures + "iptv-org_tw.m3u");
        QCOMPARE(tw.Entries.size(), 83);
        int cjk = 0;
        for (const QString& name : names(tw))
            cjk += std::any_of(name.begin(), name.end(),
                               [](QChar c) { return c.unicode() >= 0x3000; });
        QCOMPARE(cjk, 63);
        QVERIFY(names(tw).contains(QStringLiteral(u"CN卡通频道 (720p)")));
    }

    void publicRadioLists() {
        const TPlaylist eko = ReadPlaylistFile(fixtures + "webradiodb_eko-des-garrigues.m3u");
        QCOMPARE(eko.Entries.size(), 1);
        QCOMPARE(eko.Entries[0].Name, QStringLiteral("L'Eko des Garrigues"));
        QCOMPARE(eko.Entries[0].Website, QStringLiteral("http://www.ekodesgarrigues.com/"));
        QCOMPARE(eko.Entries[0].Language, QStringLiteral("French"));
        QCOMPARE(eko.Entries[0].Bitrate, QStringLiteral("320"));
        const TPlaylist bbc = ReadPlaylistFile(fixtures + "webradiodb_bbc_radio_one.m3u");
        QCOMPARE(bbc.Entries.size(), 1);
        QVERIFY(bbc.Entries[0].Url.endsWith(QStringLiteral("audio%3d96000.norewind.m3u8")));
        QVERIFY(bbc.Entries[0].Bitrate.isEmpty()); // "#BITRATE:0" is no bitrate
        const TPlaylist fip = ReadPlaylistFile(fixtures + "webradiodb_fip.m3u");
        QCOMPARE(fip.Entries[0].Url,
                 QStringLiteral("http://direct.fipradio.fr/live/fip-midfi.mp3"));
        QVERIFY(fip.Entries[0].Website.isEmpty());
    }

    void plsEntries() {
        const TPlaylist list = pls("[Playlist]\n"
                                   "NumberOfEntries=2000000000\n"
                                   "Title3=Third\n"
                                   "File3=http://three/\n"
                                   "File1=http://one/\n"
                                   "Length1=-1\n"
                                   "Title1=First\n"
                                   "Title7=Title without a file\n"
                                   "File9=http://nine/\n"
                                   "File12=file:///etc/passwd\n"
                                   "broken line\n"
                                   "Version=2\n");
        QCOMPARE(names(list), (QStringList{"First", "Third", "http://nine/"}));
        QCOMPARE(list.Unreadable, 2); // Title7 and "broken line"
        QCOMPARE(list.Refused, 1);
        QVERIFY(errorOf([] { pls("just text\n"); }).contains(QStringLiteral("not a PLS")));
    }

    void xspfTracks() {
        const TPlaylist list =
            xspf("<?xml version=\"1.0\"?>\n<playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\">"
                 "<trackList>"
                 "<track><location>file:///x.mp3</location><location>http://a/</location>"
                 "<title>A &amp; B</title><annotation>Talk</annotation>"
                 "<info>http://a.example/</info></track>"
                 "<track><title>No address</title></track>"
                 "<track><location>javascript:alert(1)</location></track>"
                 "<track><location> https://b/ </location></track>"
                 "</trackList></playlist>");
        QCOMPARE(list.Entries.size(), 2);
        QCOMPARE(list.Entries[0].Name, QStringLiteral("A & B"));
        QCOMPARE(list.Entries[0].Url, QStringLiteral("http://a/"));
        QCOMPARE(list.Entries[0].Comment, QStringLiteral("Talk"));
        QCOMPARE(list.Entries[0].Website, QStringLiteral("http://a.example/"));
        QCOMPARE(list.Entries[1].Url, QStringLiteral("https://b/"));
        QCOMPARE(list.Unreadable, 1);
        QCOMPARE(list.Refused, 1);

        QVERIFY(!errorOf([] { xspf("<html><body/></html>"); }).isEmpty());
        QVERIFY(!errorOf([] { xspf("not xml at all"); }).isEmpty());
        // Broken part-way: the tracks before the break stay.
        const TPlaylist cut = xspf("<playlist><trackList><track><location>http://a/</location>"
                                   "</track><track><location>http://b/</loc");
        QCOMPARE(names(cut), QStringList{"http://a/"});
        QCOMPARE(cut.Unreadable, 1);
    }

    void xspfEntities() {
        // An external entity is never fetched, so no file's text reaches a station.
        const QString secret = file("secret.txt", "TOPSECRET");
        const QByteArray external = "<?xml version=\"1.0\"?><!DOCTYPE playlist [<!ENTITY x "
                                    "SYSTEM \"file://" +
                                    secret.toUtf8() +
                                    "\">]><playlist><trackList><track><location>http://a/"
                                    "</location><title>&x;</title></track></trackList>"
                                    "</playlist>";
        TPlaylist list;
        errorOf([&] { list = xspf(external); });
        for (const auto& e : list.Entries)
            QVERIFY(!e.Name.contains(QStringLiteral("TOPSECRET")));

        // Entities expanding into each other: stopped, in bounded time and memory.
        QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE playlist [<!ENTITY l0 \"lol\">";
        for (int i = 1; i < 12; ++i)
            laughs += "<!ENTITY l" + QByteArray::number(i) + " \"" +
                      QByteArray("&l" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
        laughs += "]><playlist><trackList><track><location>http://a/</location><title>&l11;"
                  "</title></track></trackList></playlist>";
        const Bounded run([&] { errorOf([&] { list = xspf(laughs); }); });
        QVERIFY2(run.ms < 20000, qPrintable(QString::number(run.ms)));
        QVERIFY2(run.peakRiseMiB < 200, qPrintable(QString::number(run.peakRiseMiB)));
        for (const auto& e : list.Entries)
            QVERIFY(e.Name.size() <= kMaxTextLength);
    }

    void asxThroughThePlayersReader() {
        const QString path = file(
            "radio.asx",
            "<asx version=\"3.0\"><title>My Radio</title>"
            "<entry><title>Morning &amp; News</title><ref href=\"http://host/morning\"/></entry>"
            "<entry><ref href=\"mms://host/late\"/></entry>"
            "<entry><title>Bad</title><ref href=\"javascript:alert(1)\"/></entry>"
            "<entry><ref href=\"file:///etc/passwd\"/></entry></asx>");
        const TPlaylist list = ReadPlaylistFile(path);
        QCOMPARE(list.Format, QStringLiteral("ASX"));
        QCOMPARE(names(list), (QStringList{"Morning & News", "My Radio"}));
        QCOMPARE(list.Entries[1].Url, QStringLiteral("mms://host/late"));
        QCOMPARE(list.Refused, 2);
        // Many entries that never close: one pass, no quadratic search.
        QByteArray open = "<asx>";
        open += QByteArray("<entry><title>t<ref href=\"http://h/\">").repeated(20000);
        const Bounded run([&] { ReadAsx(open, QUrl()); });
        QVERIFY2(run.ms < 20000, qPrintable(QString::number(run.ms)));
    }

    void formatByNameThenContent() {
        QCOMPARE(ReadPlaylistFile(file("a.PLS", "[playlist]\nFile1=http://a/\n")).Format,
                 QStringLiteral("PLS"));
        QCOMPARE(ReadPlaylistFile(file("noext", "[playlist]\nFile1=http://a/\n")).Format,
                 QStringLiteral("PLS"));
        QCOMPARE(ReadPlaylistFile(file("x.txt", "<playlist><trackList/></playlist>")).Format,
                 QStringLiteral("XSPF"));
        QCOMPARE(ReadPlaylistFile(file("y.dat", "<ASX version=\"3\"></ASX>")).Format,
                 QStringLiteral("ASX"));
        QCOMPARE(ReadPlaylistFile(file("z", "http://a/\n")).Format, QStringLiteral("M3U"));
        QVERIFY(errorOf([&] {
                    ReadPlaylistFile(dir_.filePath("missing.m3u"));
                }).startsWith(QStringLiteral("Cannot open")));
        QVERIFY(errorOf([&] { ReadPlaylistFile(dir_.path()); }).contains(QStringLiteral("folder")));
    }

    void writersKeepOneLinePerText() {
        // A station's texts cannot add lines of their own to a file.
        TPlaylistEntry e;
        e.Name = QStringLiteral("Evil\n#EXTINF:-1,Injected\nhttp://evil/");
        e.Url = QStringLiteral("http://a/\r\nhttp://b/");
        e.Group = QStringLiteral("Quote \" inside");
        const QByteArray text = written(WriteM3u, {e});
        QCOMPARE(text.count('\n'), 3);
        QCOMPARE(m3u(text).Entries.size(), 1);
        QCOMPARE(m3u(text).Entries[0].Group, QStringLiteral("Quote ' inside"));
        QCOMPARE(pls(written(WritePls, {e})).Entries.size(), 1);
    }

    void roundTrips() {
        QList<TPlaylistEntry> entries;
        TPlaylistEntry a;
        a.Name = QStringLiteral(u"Café, du matin");
        a.Url = QStringLiteral("http://a/stream?x=1&y=2");
        a.Group = QStringLiteral("News");
        a.Language = QStringLiteral("French");
        a.Comment = QStringLiteral("Country: FR; Logo: http://logo/a.png");
        a.Website = QStringLiteral("http://a.example/<home>");
        TPlaylistEntry b;
        b.Name = QStringLiteral(u"東森新聞");
        b.Url = QStringLiteral("rtsp://b/live");
        entries << a << b;

        const TPlaylist viaM3u = m3u(written(WriteM3u, entries));
        QCOMPARE(viaM3u.Entries.size(), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(viaM3u.Entries[i].Name, entries[i].Name);
            QCOMPARE(viaM3u.Entries[i].Url, entries[i].Url);
            QCOMPARE(viaM3u.Entries[i].Group, entries[i].Group);
            QCOMPARE(viaM3u.Entries[i].Language, entries[i].Language);
            QCOMPARE(viaM3u.Entries[i].Comment, entries[i].Comment);
        }
        const TPlaylist viaPls = pls(written(WritePls, entries));
        QCOMPARE(names(viaPls), names(viaM3u));
        QCOMPARE(viaPls.Entries[0].Url, a.Url);
        const TPlaylist viaXspf = xspf(written(WriteXspf, entries));
        QCOMPARE(names(viaXspf), names(viaM3u));
        QCOMPARE(viaXspf.Entries[0].Url, a.Url);
        QCOMPARE(viaXspf.Entries[0].Comment, a.Comment);
        QCOMPARE(viaXspf.Entries[0].Website, a.Website);

        // Files: the format from the name; an unknown name is refused and nothing is written.
        for (const char* name : {"out.m3u8", "out.pls", "out.xspf"}) {
            const QString path = dir_.filePath(QLatin1String(name));
            WritePlaylistFile(path, entries);
            QCOMPARE(names(ReadPlaylistFile(path)), names(viaM3u));
        }
        QVERIFY(errorOf([&] {
                    WritePlaylistFile(dir_.filePath("out.txt"), entries);
                }).contains(QStringLiteral(".m3u")));
        QVERIFY(!QFile::exists(dir_.filePath("out.txt")));
    }

    void cancelledWriteKeepsTheOldFile() {
        const QString path = file("keep.m3u", "#EXTM3U\nhttp://old/\n");
        QList<TPlaylistEntry> many(5000);
        for (auto& e : many)
            e.Url = QStringLiteral("http://new/");
        QVERIFY_THROWS_EXCEPTION(TCancelled, WritePlaylistFile(path, many, [](qint64 done, qint64) {
                                     return done < 2048;
                                 }));
        QCOMPARE(names(ReadPlaylistFile(path)), QStringList{"http://old/"});
    }

    void hostileFilesAreBounded() {
        // A gigabyte of zeros: refused at once as binary data.
        const QString zeros = dir_.filePath("zeros.m3u");
        {
            QFile f(zeros);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(qint64(1) << 30)); // sparse: no disk is used
        }
        Bounded refuse([&] {
            QVERIFY(errorOf([&] { ReadPlaylistFile(zeros); }).contains(QStringLiteral("binary")));
        });
        QVERIFY2(refuse.ms < 5000, qPrintable(QString::number(refuse.ms)));

        // A real head followed by a gigabyte without a line end: read through, the endless
        // line counted as unreadable, memory flat.
        const QString tail = dir_.filePath("tail.m3u");
        {
            QFile f(tail);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QByteArray head = "#EXTM3U\n";
            for (int i = 0; i < 2000; ++i)
                head += "#EXTINF:-1,S" + QByteArray::number(i) + "\nhttp://h/" +
                        QByteArray::number(i) + "\n";
            head += QByteArray(70 * 1024 - head.size() % 1024, 'x');
            f.write(head);
            QVERIFY(f.resize(qint64(1) << 30));
        }
        TPlaylist list;
        const Bounded read([&] { list = ReadPlaylistFile(tail); });
        QCOMPARE(list.Entries.size(), 2000);
        QCOMPARE(list.Unreadable, 1);
        QVERIFY2(read.ms < 90000, qPrintable(QString::number(read.ms)));
        QVERIFY2(read.peakRiseMiB < 100, qPrintable(QString::number(read.peakRiseMiB)));

        // Random bytes without zeros: garbage lines counted, nothing taken.
        QByteArray noise(4 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator random(7);
        for (char& c : noise)
            c = char(1 + random.bounded(255));
        const TPlaylist junk = ReadPlaylistFile(file("noise.m3u", noise));
        QVERIFY(junk.Entries.isEmpty());
        QVERIFY(junk.Unreadable > 1000);
    }

    void readsCanBeCancelled() {
        QByteArray text;
        for (int i = 0; i < 50000; ++i)
            text += "http://h/" + QByteArray::number(i) + "\n";
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        qint64 seenTotal = 0;
        QVERIFY_THROWS_EXCEPTION(TCancelled, ReadM3u(buffer, [&](qint64, qint64 total) {
                                     seenTotal = total;
                                     return false;
                                 }));
        QCOMPARE(seenTotal, text.size());
    }

    void addressKinds() {
        QCOMPARE(ClassifyAddress(QStringLiteral("HTTP://Host/x")), TAddressKind::Stream);
        QCOMPARE(ClassifyAddress(QStringLiteral("rtp://@1.2.3.4:5")), TAddressKind::Stream);
        QCOMPARE(ClassifyAddress(QStringLiteral("mmsh://h/")), TAddressKind::Stream);
        QCOMPARE(ClassifyAddress(QStringLiteral("https://")), TAddressKind::Refused);
        QCOMPARE(ClassifyAddress(QStringLiteral("JavaScript:x")), TAddressKind::Refused);
        QCOMPARE(ClassifyAddress(QStringLiteral("../web.htm")), TAddressKind::Refused);
        QCOMPARE(ClassifyAddress(QStringLiteral("http://a/\x01")), TAddressKind::Unreadable);
        QCOMPARE(CleanAddress(QStringLiteral("  http://a/b c  ")),
                 QStringLiteral("http://a/b%20c"));
        QVERIFY(CleanAddress(QStringLiteral("http://") + QString(9000, u'a')).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPlaylistFormats)
#include "test_playlistformats.moc"
