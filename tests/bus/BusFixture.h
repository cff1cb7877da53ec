#pragma once
// The main window over the loopback stream server with two stations that send ICY titles,
// for the desktop bus tests.
#include "ui_MainWindow.h"

#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/forms/TreeOrder.h"
#include "tests/common/LoopbackCatalogue.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"
#include "tests/common/StreamServer.h"
#include "tests/common/ToneMp3.h"

#include <QtTest>

#include <memory>

class BusFixture {
public:
    explicit BusFixture(const QStringList& extra = {}) {
        for (const char* path : {"/one.mp3", "/two.mp3"})
            server.addLoopStream(QString::fromLatin1(path), toneMp3(), "audio/mpeg", 16000);
        server.setIcyInterval(1600);
        server.setBurstMs(300);
        server.setTitle(QStringLiteral("/one.mp3"), "First song");
        server.setTitle(QStringLiteral("/two.mp3"), "Second song");
        folder = std::make_unique<ProgramFolderFixture>(
            ProgramFolderFixture::Catalogue::SchemaOnly,
            loopbackCatalogue(server.url(QString()).toString(),
                              {{"One", "/one.mp3"}, {"Two", "/two.mp3"}}) +
                extra);
        w = std::make_unique<TfrmMain>();
        w->show();
    }

    Ui::TfrmMain& u() { return w->form(); }
    QString status() { return u().lblStatusText->text(); }

    void select(const QString& name) {
        auto found = u().tvStations->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!found.isEmpty());
        orvik::selectNode(u().tvStations, found.first());
        w->updater().updateAll();
    }
    void play(const QString& name) {
        select(name);
        u().actPlay->trigger();
    }

    StreamServer server;
    std::unique_ptr<ProgramFolderFixture> folder;
    RecordingPresenter boxes;
    std::unique_ptr<TfrmMain> w;
};
