#pragma once

// A program folder whose catalogue holds two stations, "One" and "Two" in category
// "Loopback", both streams of a loopback stream server, for the main window's tests.
#include "tests/common/LoopbackCatalogue.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/StreamServer.h"

#include <memory>

struct LoopbackStations {
    LoopbackStations() {
        server.addStream(QStringLiteral("/one.mp3"));
        server.addStream(QStringLiteral("/two.mp3"));
        folder = std::make_unique<ProgramFolderFixture>(
            ProgramFolderFixture::Catalogue::SchemaOnly,
            loopbackCatalogue(server.url(QString()).toString(),
                              {{"One", "/one.mp3"}, {"Two", "/two.mp3"}}));
    }

    StreamServer server;
    std::unique_ptr<ProgramFolderFixture> folder;
};
