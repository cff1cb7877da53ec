#include "app/forms/SettingsFile.h"

#include "core/ErrorWrapper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Lines are kept as bytes, so that text the program does not read goes back to the disk as it
// came; names and values are read as UTF-8.
QString headerName(const QByteArray& line) {
    const QString t = QString::fromUtf8(line).trimmed();
    if (t.size() >= 2 && t.startsWith(u'[') && t.endsWith(u']'))
        return t.mid(1, t.size() - 2).trimmed();
    return QString();
}

bool isHeader(const QByteArray& line) {
    const QByteArray t = line.trimmed();
    return t.size() >= 2 && t.startsWith(u'[') && t.endsWith(u']');
}

// The key of a "key=value" line, or a null text for any other line.
QString keyOf(const QByteArray& line) {
    const QByteArray t = line.trimmed();
    if (t.startsWith(';') || t.startsWith('#'))
        return QString();
    const qsizetype eq = t.indexOf('=');
    return eq < 0 ? QString() : QString::fromUtf8(t.left(eq)).trimmed();
}

QString valueOf(const QByteArray& line) {
    QString value = QString::fromUtf8(line.mid(line.indexOf('=') + 1)).trimmed();
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        value = value.mid(1, value.size() - 2);
    return value;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

TSettingsFile::TSettingsFile(QString path) : path_(std::move(path)) {
    const QFileInfo info(path_);
    if (!info.isFile())
        return; // no settings yet: the first write makes the file
    if (info.size() > MaxSize) {
        const QString aside = path_ + QStringLiteral(".bak");
        QFile::remove(aside);
        if (QFile::rename(path_, aside))
            note_ = QStringLiteral("The settings file %1 is larger than any settings file of "
                                   "Orvik, so it was set aside as %2 and new settings are "
                                   "started.")
                        .arg(QDir::toNativeSeparators(path_), QDir::toNativeSeparators(aside));
        else
            note_ = QStringLiteral("The settings file %1 is larger than any settings file of "
                                   "Orvik and cannot be set aside, so it is not read.")
                        .arg(QDir::toNativeSeparators(path_));
        return;
    }
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return; // unreadable: the defaults apply
    QByteArray text = file.read(MaxSize);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    lines_ = text.split('\n');
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast();
}

int TSettingsFile::find(const QString& section, const QString& key, int* sectionEnd) const {
    if (sectionEnd)
        *sectionEnd = -1;
    int i = 0;
    // The first section of that name is the one in force.
    while (i < lines_.size() && !(isHeader(lines_[i]) && sameName(headerName(lines_[i]), section)))
        ++i;
    if (i == lines_.size())
        return -1;
    int end = i + 1;
    for (int k = i + 1; k < lines_.size() && !isHeader(lines_[k]); ++k) {
        const QString name = keyOf(lines_[k]);
        if (name.isNull())
            continue;
        if (sameName(name, key))
            return k;
        end = k + 1;
    }
    if (sectionEnd)
        *sectionEnd = end;
    return -1;
}

QString TSettingsFile::ReadString(const QString& section, const QString& key,
                                  const QString& def) const {
    const int line = find(section, key);
    if (line < 0)
        return def;
    const QString value = valueOf(lines_[line]);
    return value.isEmpty() ? def : value;
}

int TSettingsFile::ReadInteger(const QString& section, const QString& key, int def) const {
    bool ok = false;
    const int value = ReadString(section, key, QString()).toInt(&ok, 10);
    return ok ? value : def;
}

void TSettingsFile::WriteString(const QString& section, const QString& key, const QString& value) {
    WriteStrings(section, {{key, value}});
}

void TSettingsFile::WriteStrings(const QString& section,
                                 const QList<std::pair<QString, QString>>& values) {
    QList<QByteArray> before = lines_;
    for (const auto& [key, value] : values)
        set(section, key, value);
    try {
        save();
    } catch (...) {
        lines_ = std::move(before);
        throw;
    }
}

void TSettingsFile::set(const QString& section, const QString& key, const QString& value) {
    const QByteArray line = (key + u'=' + value).toUtf8();
    int sectionEnd = -1;
    const int at = find(section, key, &sectionEnd);
    if (at >= 0) {
        lines_[at] = line;
    } else if (sectionEnd >= 0) {
        lines_.insert(sectionEnd, line);
    } else {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty())
            lines_.append(QByteArray());
        lines_.append((u'[' + section + u']').toUtf8());
        lines_.append(line);
    }
}

void TSettingsFile::save() const {
    // The user's settings folder may not exist yet (an installed program's first start).
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok) {
        const QByteArray text = lines_.join('\n') + '\n';
        ok = file.write(text) == text.size();
    }
    if (!ok || !file.commit())
        throw orvik::Error(QStringLiteral("Cannot write the settings file %1.")
                               .arg(QDir::toNativeSeparators(path_)));
}
