#pragma once

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

// The in-memory reader of a skin definition: INI text, 8-bit, read once while a skin loads.
//
// Lines are kept trimmed, without blank lines and whole-line ";" comments. A section header
// is a kept line that starts with "[" and ends with "]". Section names are matched without
// regard to case, keys without regard to ASCII case; the first occurrence of a section and of a
// key in it wins. Lookups never fail: every value has a default.
//
// Definitions come from anywhere: sections and keys are indexed once while the text is read,
// so a lookup costs the same in a definition of a hundred thousand sections as in one of ten.
class TQuickIni {
public:
    // Rebuilds both lists from the device's current position to its end. A null device
    // leaves everything unchanged.
    void LoadFromStream(QIODevice* stream);
    // The same for text already in memory.
    void LoadFromText(const QByteArray& text);

    // The section names in file order, without brackets, trimmed.
    QStringList ReadSections() const;
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    qint32 ReadInteger(const QString& section, const QString& key, qint32 def) const;
    // The Lines index of the header "[name]", or -1.
    int SectionIndex(const QString& name) const;

    const QStringList& Lines() const { return lines_; }
    const QList<QPair<QString, int>>& Sections() const { return sections_; }

private:
    struct KeyLine {
        QString key;   // lower case; empty for headers and lines without "="
        QString value; // trimmed
        bool hasEquals = false;
        bool header = false;
    };

    QStringList lines_;
    QList<QPair<QString, int>> sections_;
    QList<KeyLine> keys_; // parallel to lines_
    // Case-folded header -> Lines index of its first occurrence.
    QHash<QString, int> sectionIndex_;
    // (Lines index of a header, lower-case key) -> Lines index of the key's first line there.
    QHash<QPair<int, QString>, int> keyIndex_;
};

namespace orvik {

// Converts an integer text: decimal with an optional sign, or hexadecimal after "$" (with an
// optional sign before it). Hexadecimal takes up to 32 bits and wraps into the signed range.
// No value for anything else, the empty text included.
std::optional<qint32> ParseInteger(const QString& text);

// Removes characters of code 32 and below from both ends.
QString TrimControl(const QString& text);

} // namespace orvik
