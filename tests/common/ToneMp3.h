#pragma once

// An MP3 tone of 20 seconds made once by ffmpeg, for the loopback server to loop (ICY metadata
// rides on MP3). Empty when ffmpeg is missing or fails.
#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

inline QByteArray toneMp3() {
    static QByteArray bytes;
    if (!bytes.isEmpty())
        return bytes;
    QTemporaryDir dir;
    const QString mp3 = dir.filePath(QStringLiteral("tone.mp3"));
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), {"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                            "sine=frequency=440:duration=20", "-b:a", "128k", mp3});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
        return {};
    QFile file(mp3);
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    return bytes;
}
