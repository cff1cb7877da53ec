#include "Icecast.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>

namespace {
const char* kSourcePassword = "source-secret";
const char* kAdminPassword = "admin-secret";

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}
} // namespace

Icecast::Icecast() {
    port_ = freePort();
    // The server writes its logs as nobody.
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                           QFileDevice::WriteOther | QFileDevice::ExeOther);
    QFile config(dir_.filePath("icecast.xml"));
    if (config.open(QIODevice::WriteOnly))
        config.write(QStringLiteral(R"(<icecast>
  <limits><clients>20</clients><sources>2</sources><source-timeout>5</source-timeout></limits>
  <authentication>
    <source-password>%1</source-password>
    <admin-user>admin</admin-user><admin-password>%2</admin-password>
  </authentication>
  <hostname>127.0.0.1</hostname>
  <listen-socket><port>%3</port><bind-address>127.0.0.1</bind-address></listen-socket>
  <mount><mount-name>%4</mount-name><metadata-interval>%5</metadata-interval></mount>
  <fileserve>0</fileserve>
  <paths>
    <logdir>%6</logdir>
    <webroot>/usr/share/icecast2/web</webroot><adminroot>/usr/share/icecast2/admin</adminroot>
  </paths>
  <logging><accesslog>access.log</accesslog><errorlog>error.log</errorlog><loglevel>2</loglevel></logging>
  <security><chroot>0</chroot><changeowner><user>nobody</user><group>nogroup</group></changeowner></security>
</icecast>
)")
                         .arg(kSourcePassword, kAdminPassword)
                         .arg(port_)
                         .arg(kMount)
                         .arg(kMetaInterval)
                         .arg(dir_.path())
                         .toUtf8());
}

Icecast::~Icecast() {
    stop();
}

QString Icecast::url() const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(kMount);
}

bool Icecast::start() {
    stop();
    server_ = std::make_unique<QProcess>();
    server_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server_->start("icecast2", {"-c", dir_.filePath("icecast.xml")});
    if (!server_->waitForStarted(10000)) {
        error_ = QStringLiteral("icecast2 is needed");
        return false;
    }
    int status = 0;
    if (!QTest::qWaitFor([&] { return get("/status-json.xsl", false, &status), status == 200; },
                         15000)) {
        error_ = QStringLiteral("icecast2 did not answer; its log: ") + dir_.filePath("error.log");
        return false;
    }
    source_ = std::make_unique<QProcess>();
    source_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    source_->start("ffmpeg",
                   {"-loglevel", "error", "-re", "-f", "lavfi", "-i", "sine=frequency=440", "-c:a",
                    "libmp3lame", "-b:a", "128k", "-content_type", "audio/mpeg", "-f", "mp3",
                    QStringLiteral("icecast://source:%1@127.0.0.1:%2%3")
                        .arg(kSourcePassword)
                        .arg(port_)
                        .arg(kMount)});
    if (!source_->waitForStarted(10000)) {
        error_ = QStringLiteral("ffmpeg is needed");
        return false;
    }
    if (!QTest::qWaitFor([this] { return onAir(); }, 15000)) {
        error_ = QStringLiteral("the source did not go on air");
        return false;
    }
    return true;
}

void Icecast::stop() {
    for (auto* p : {&source_, &server_}) {
        if (!*p)
            continue;
        (*p)->kill();
        (*p)->waitForFinished(10000);
        p->reset();
    }
}

bool Icecast::onAir() {
    return get("/status-json.xsl", false).contains(QStringLiteral("\"listenurl\""));
}

bool Icecast::setTitle(const QString& song) {
    QUrlQuery query;
    query.addQueryItem("mount", kMount);
    query.addQueryItem("mode", "updinfo");
    query.addQueryItem("song", song);
    int status = 0;
    get(QStringLiteral("/admin/metadata?") + query.toString(QUrl::FullyEncoded), true, &status);
    return status == 200;
}

QString Icecast::get(const QString& pathAndQuery, bool admin, int* status) {
    QNetworkAccessManager net;
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port_) + pathAndQuery));
    if (admin)
        request.setRawHeader("Authorization",
                             "Basic " + QByteArray("admin:").append(kAdminPassword).toBase64());
    QNetworkReply* reply = net.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    if (status)
        *status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString body = QString::fromUtf8(reply->readAll());
    reply->deleteLater();
    return body;
}
