#pragma once

// The statements of a catalogue with one category, "Loopback", whose stations (name, path)
// are streams of the loopback server at base, numbered from 1 in the order given.
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

inline QStringList loopbackCatalogue(const QString& base,
                                     const QList<std::pair<QString, QString>>& stations) {
    QStringList statements{
        QStringLiteral("INSERT INTO categories (c_id, c_name) VALUES (1, 'Loopback')")};
    int id = 1;
    for (const auto& [name, path] : stations)
        statements << QStringLiteral("INSERT INTO stations (s_id, c_id, s_name, s_url, s_website) "
                                     "VALUES (%1, 1, '%2', '%3%4', '')")
                          .arg(id++)
                          .arg(name, base, path);
    return statements;
}
