#pragma once
// A main window over a temporary catalogue (the sample plus the edge rows by default), with
// boxes answered by a RecordingPresenter and no players, plus helpers to drive and inspect it.

#include "ui_MainWindow.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/Nodes.h"
#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/forms/TreeOrder.h"
#include "app/player/PlayerFactory.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

struct EditingWindow {
    explicit EditingWindow(const QStringList& statements = {},
                           ProgramFolderFixture::Catalogue catalogue =
                               ProgramFolderFixture::Catalogue::SampleWithEdgeCases)
        : folder(catalogue, statements) {
        boxes.boxes.clear(); // the start-up's note that there is no media player
    }

    ProgramFolderFixture folder;
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    Ui::TfrmMain& u = w.form();

    // The first node, in tree order, with this text.
    TStationNode* node(const QString& text) const { return u.tvStations->findItems(text).value(0); }
    void select(const QString& text) { orvik::selectNode(u.tvStations, node(text)); }
    TStationNode* selected() const { return orvik::selectedNode(u.tvStations); }

    // Runs a statement on the program's own connection; the first column of every row.
    QStringList column(const QString& sql, const QVariantList& params = {}) {
        QSqlQuery q(w.catalogue().Database());
        q.prepare(sql);
        for (const QVariant& p : params)
            q.addBindValue(p);
        if (!q.exec())
            qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        QStringList out;
        while (q.next())
            out << (q.value(0).isNull() ? QStringLiteral("<null>") : q.value(0).toString());
        return out;
    }
    int count(const QString& sql, const QVariantList& params = {}) {
        return column(sql, params).value(0, QStringLiteral("-1")).toInt();
    }

    // The user picks an entry of a search list.
    void pick(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void pick(QComboBox* list, const QString& text) {
        const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        QVERIFY2(index >= 0, qPrintable(text));
        pick(list, index);
    }
    QStringList results() const {
        QStringList out;
        for (int i = 0; i < u.lsvResults->count(); ++i)
            out << u.lsvResults->item(i)->text();
        out.sort();
        return out;
    }
    // The error boxes of failed commands.
    QStringList appErrors() const {
        QStringList out;
        for (const auto& b : boxes.boxes)
            if (b.kind == orvik::MessagePresenter::Kind::AppError)
                out << b.text;
        return out;
    }
};

inline QStringList sorted(QStringList list) {
    list.sort();
    return list;
}
