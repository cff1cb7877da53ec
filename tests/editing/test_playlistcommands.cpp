// File > Import playlist... and Export playlist... in the main window.
#include "tests/editing/EditingWindow.h"

#include "app/catalogue/PlaylistReader.h"
#include "app/forms/ExportDialog.h"
#include "app/forms/ImportDialog.h"
#include "app/forms/PlaylistCommands.h"
#include "app/forms/ProgressWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

const QString fixtures = QStringLiteral(ORVIK_SOURCE_DIR "/tests/fixtures/playlists/");

int stationNodes(const EditingWindow& t) {
    int n = 0;
    for (int i = 0; i < t.u.tvStations->topLevelItemCount(); ++i)
        n += t.u.tvStations->topLevelItem(i)->childCount();
    return n;
}

// Clicks Cancel of the progress window as soon as it shows.
void cancelProgressWhenShown() {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* progress = qobject_cast<TProgressWindow*>(w); progress && w->isVisible()) {
                progress->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
                timer->deleteLater();
                return;
            }
        }
    });
    timer->start(0);
}

} // namespace

class TestPlaylistCommands : public QObject {
    Q_OBJECT
private slots:
    void menuEntries() {
        EditingWindow t;
        const QList<QAction*> file = t.u.mnuFileMenu->actions();
        QStringList texts;
        for (QAction* a : file)
            texts << a->text();
        QCOMPARE(texts.mid(0, 2), (QStringList{"Import playlist...", "Export playlist..."}));
        QVERIFY(file.last() == t.u.mnuExit);
    }

    void importShowsCountsThenWritesByGroup() {
        EditingWindow t;
        TPlaylistCommands& c = t.w.playlistCommands();
        const int before = t.count("select count(*) from stations");
        QStringList shown;
        c.chooseImportFile = [] { return fixtures + "iptv-org_channels_pt.m3u"; };
        c.showImportDialog = [&](TImportDialog& d) {
            // A file with groups opens on one category per group.
            if (!d.rbByGroup->isChecked())
                return int(QDialog::Rejected);
            shown << d.lblSummary->text();
            d.rbOneCategory->setChecked(true);
            d.cbImportCategory->setEditText(QStringLiteral("France")); // an existing category
            shown << d.lblSummary->text();
            d.rbByGroup->setChecked(true);
            d.cbImportCategory->setEditText(QStringLiteral("Portugal"));
            shown << d.lblSummary->text();
            return int(QDialog::Accepted);
        };
        c.actImportPlaylist->trigger();
        QCOMPARE(shown.size(), 3);
        QVERIFY2(shown[0].contains(QStringLiteral("Entries: 50\nNew: 50\n")), qPrintable(shown[0]));
        QVERIFY2(shown[1].contains(QStringLiteral("New categories: 0")), qPrintable(shown[1]));
        QVERIFY2(shown[2].contains(QStringLiteral("New categories: 8")), qPrintable(shown[2]));
        QCOMPARE(t.count("select count(*) from stations"), before + 50);
        // Reloaded: the group categories are in the tree with their stations.
        TStationNode* religious = t.node(QStringLiteral("Religious"));
        QVERIFY(religious && !religious->parent());
        QCOMPARE(religious->childCount(), 16);
        QCOMPARE(stationNodes(t), t.count("select count(*) from stations s join categories c "
                                          "on c.c_id = s.c_id"));
        QCOMPARE(t.boxes.texts(), QStringList{"Imported 50 stations; 8 new categories."});

        // Again: nothing new, Import is not offered.
        bool offered = true;
        c.showImportDialog = [&](TImportDialog& d) {
            d.cbImportCategory->setEditText(QStringLiteral("portugal"));
            offered = d.cmdImport->isEnabled();
            return int(QDialog::Rejected);
        };
        c.actImportPlaylist->trigger();
        QVERIFY(!offered);
    }

    void cancelledDialogOrProgressChangesNothing() {
        EditingWindow t;
        TPlaylistCommands& c = t.w.playlistCommands();
        QTemporaryDir dir;
        QFile big(dir.filePath("big.m3u"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write("#EXTM3U\n");
        for (int i = 0; i < 20000; ++i)
            big.write("#EXTINF:-1 group-title=\"G" + QByteArray::number(i % 5) + "\",Big " +
                      QByteArray::number(i) + "\nhttp://big/" + QByteArray::number(i) + "\n");
        big.close();
        c.chooseImportFile = [&] { return big.fileName(); };
        const int before = t.count("select count(*) from stations");
        const int categories = t.count("select count(*) from categories");

        c.showImportDialog = [](TImportDialog&) { return int(QDialog::Rejected); };
        c.actImportPlaylist->trigger();
        QCOMPARE(t.count("select count(*) from stations"), before);

        // Cancel while the stations are written: rolled back, no reload, no box.
        const int shownNodes = stationNodes(t);
        TProgressWindow::showAfterMs = 0;
        c.showImportDialog = [](TImportDialog& d) {
            cancelProgressWhenShown();
            return d.Plan().New == 20000 ? int(QDialog::Accepted) : int(QDialog::Rejected);
        };
        c.actImportPlaylist->trigger();
        TProgressWindow::showAfterMs = 500;
        QCOMPARE(t.count("select count(*) from stations"), before);
        QCOMPARE(t.count("select count(*) from categories"), categories);
        QCOMPARE(stationNodes(t), shownNodes);
        QVERIFY(t.boxes.boxes.isEmpty());
    }

    void badFilesGiveAClearMessage() {
        EditingWindow t;
        TPlaylistCommands& c = t.w.playlistCommands();
        QTemporaryDir dir;
        QFile binary(dir.filePath("x.m3u"));
        QVERIFY(binary.open(QIODevice::WriteOnly));
        binary.write(QByteArray(1000, '\0'));
        binary.close();
        c.chooseImportFile = [&] { return binary.fileName(); };
        bool dialog = false;
        c.showImportDialog = [&](TImportDialog&) {
            dialog = true;
            return int(QDialog::Rejected);
        };
        c.actImportPlaylist->trigger();
        QVERIFY(!dialog);
        QCOMPARE(t.appErrors().size(), 1);
        QVERIFY(t.appErrors()[0].contains(QStringLiteral("binary data")));

        QFile empty(dir.filePath("empty.m3u"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.write("#EXTM3U\n");
        empty.close();
        c.chooseImportFile = [&] { return empty.fileName(); };
        t.boxes.boxes.clear();
        c.actImportPlaylist->trigger();
        QVERIFY(!dialog);
        QVERIFY(t.boxes.texts().value(0).endsWith(QStringLiteral("holds no stations.")));
    }

    void exportChoices() {
        EditingWindow t;
        TPlaylistCommands& c = t.w.playlistCommands();
        QTemporaryDir dir;
        QString suggested;
        c.chooseExportFile = [&](const QString& name) {
            suggested = name;
            return dir.filePath(name);
        };
        auto exported = [&](const QString& name) {
            return orvik::ReadPlaylistFile(dir.filePath(name)).Entries.size();
        };
        auto streams = [&](const QString& where, const QVariantList& params = {}) {
            return t.count("select count(*) from stations s where (s.s_url like 'http%' or "
                           "s.s_url like 'mms%' or s.s_url like 'rtsp%') and " +
                               where,
                           params);
        };

        // A station selected: its category is offered and chosen.
        t.select(QStringLiteral("France"));
        TStationNode* france = t.selected();
        t.select(france->child(0)->text(0));
        c.showExportDialog = [](TExportDialog& d) {
            return d.rbExportCategory->isChecked() && d.rbExportCategory->text().contains("France")
                       ? int(QDialog::Accepted)
                       : int(QDialog::Rejected);
        };
        c.actExportPlaylist->trigger();
        QCOMPARE(suggested, QStringLiteral("France.m3u"));
        QCOMPARE(exported(suggested),
                 streams("s.c_id = (select c_id from categories where c_name = 'France')"));

        c.showExportDialog = [](TExportDialog& d) {
            d.rbExportFavorites->setChecked(true);
            return int(QDialog::Accepted);
        };
        c.actExportPlaylist->trigger();
        QCOMPARE(exported(suggested), streams("s.s_favorite = 1"));

        // The search results, in their order.
        t.u.PageControl->setCurrentIndex(2);
        t.u.rbLanguage->setChecked(true);
        t.pick(t.u.cbLanguage, QStringLiteral("French"));
        QVERIFY(t.u.lsvResults->count() > 0);
        c.showExportDialog = [](TExportDialog& d) {
            if (!d.rbExportResults->isEnabled())
                return int(QDialog::Rejected);
            d.rbExportResults->setChecked(true);
            return int(QDialog::Accepted);
        };
        c.chooseExportFile = [&](const QString&) { return dir.filePath("results.xspf"); };
        c.actExportPlaylist->trigger();
        const orvik::TPlaylist results = orvik::ReadPlaylistFile(dir.filePath("results.xspf"));
        QCOMPARE(results.Entries.size(), streams("s.s_language = 'French'"));

        // A name of no known format: a clear error, no file.
        c.chooseExportFile = [&](const QString&) { return dir.filePath("list.doc"); };
        t.boxes.boxes.clear();
        c.actExportPlaylist->trigger();
        QCOMPARE(t.appErrors().size(), 1);
        QVERIFY(!QFile::exists(dir.filePath("list.doc")));
    }
};

QTEST_MAIN(TestPlaylistCommands)
#include "test_playlistcommands.moc"
