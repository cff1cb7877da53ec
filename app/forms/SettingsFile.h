#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// settings.ini as users edit it: "[Section]" headers and "key=value" lines. Section and key
// names match whatever their letter case; a value reads back exactly as written (trimmed; a
// value an earlier version wrote in double quotes loses them). Lines the program does not
// know (other sections, comments, text it cannot read) are kept as they are.
//
// Every write replaces the whole file at once through a new file renamed over the old one,
// so the file on disk is always either the old or the new settings.
class TSettingsFile {
public:
    // Larger settings files are none that Orvik wrote: they are set aside unread.
    static constexpr qint64 MaxSize = 1024 * 1024;

    // Reads the file when there is one. A file past MaxSize is renamed to path + ".bak" (an
    // older one of that name goes) and a fresh one is started; SetAsideNote() then says so.
    explicit TSettingsFile(QString path);

    const QString& Path() const { return path_; }
    // What the user should be told about the file found at start, or an empty text.
    const QString& SetAsideNote() const { return note_; }

    // The value of the first key of that name in the first section of that name, or `def`
    // when there is none or it is empty.
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // The value as a decimal integer, or `def` when it is none.
    int ReadInteger(const QString& section, const QString& key, int def) const;

    // Sets the value and writes the file at once. Throws orvik::Error when the file cannot be
    // written; the file on disk is then unchanged.
    void WriteString(const QString& section, const QString& key, const QString& value);
    // Sets several keys of one section and writes the file once, all of them or none.
    void WriteStrings(const QString& section, const QList<std::pair<QString, QString>>& values);

private:
    // The line of a key in a section, or -1; `sectionEnd` gets the line after the section's
    // last key line, or -1 when there is no such section.
    int find(const QString& section, const QString& key, int* sectionEnd = nullptr) const;
    void set(const QString& section, const QString& key, const QString& value);
    void save() const;

    QString path_;
    QString note_;
    QList<QByteArray> lines_;
};
