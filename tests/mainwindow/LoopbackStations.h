#pragma once

// A program folder whose catalogue holds two stations, "One" and "Two" in category
// "Loopback", both streams of a loopback stream server, for the main window's tests.
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/StreamServer.h"

#include <memory>

struct LoopbackStations {
    LoopbackStations() {
        server.addStream(QStringLiteral("/one.mp3"));
        server.addStream(QStringLiteral("/two.mp3"));
        const QString base = server.url(QString()).toString();
        folder = std::make_unique<ProgramFolderFixture>(
            ProgramFolderFixture::Catalogue::SchemaOnly,
            QStringList{
                "INSERT INTO categories (c_id, c_name) VALUES (1, 'Loopback')",
                QStringLiteral("INSERT INTO stations (s_id, c_id, s_name, s_url) VALUES "
                               "(1, 1, 'One', '%1/one.mp3')")
                    .arg(base),
                QStringLiteral("INSERT INTO stations (s_id, c_id, s_name, s_url) VALUES "
                               "(2, 1, 'Two', '%1/two.mp3')")
                    .arg(base),
            });
    }

    StreamServer server;
    std::unique_ptr<ProgramFolderFixture> folder;
};
