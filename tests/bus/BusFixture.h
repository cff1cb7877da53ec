#pragma once
// The main window over the loopback stream server with two stations that send ICY titles,
// for the desktop bus tests.
#include "ui_MainWindow.h"

#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/forms/TreeOrder.h"
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
        const QString base = server.url(QString()).toString();
        folder = std::make_unique<ProgramFolderFixture>(
            ProgramFolderFixture::Catalogue::SchemaOnly,
            QStringList{
                "INSERT INTO categories (c_id, c_name) VALUES (1, 'Loopback')",
                QStringLiteral("INSERT INTO stations (s_id, c_id, s_name, s_url, s_website) VALUES "
                               "(1, 1, 'One', '%1/one.mp3', '')")
                    .arg(base),
                QStringLiteral("INSERT INTO stations (s_id, c_id, s_name, s_url, s_website) VALUES "
                               "(2, 1, 'Two', '%1/two.mp3', '')")
                    .arg(base),
            } + extra);
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
