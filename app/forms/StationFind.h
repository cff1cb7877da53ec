#pragma once

#include "app/forms/TreeState.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class QLineEdit;
class TStationNode;
class TfrmMain;

// Type-to-find over the station tree: the find box above the tree (Escape clears it). While it
// holds text, the tree shows only the stations whose name or comment contains it, without regard to
// case or accents, inside their categories, expanded; Enter plays the first of them. Clearing the
// box gives the tree back as it was: the same categories expanded, the same scroll position, and
// the same selection unless the user picked another station while finding, which then stays
// selected.
class TStationFind : public QObject {
    Q_OBJECT
public:
    explicit TStationFind(TfrmMain& form);

    // Up to this many stations whose find texts are not made yet are made at once by a find;
    // past it the find shows what is made and looks again when all are.
    static inline int foldAtOnceLimit = 20000;

    // Connects the find box.
    void bind();
    // Shows the station tree's page and gives the find box the focus, its text selected.
    void FocusBox();

    // Shows the stations that match text; an empty text ends the find.
    void Apply(const QString& text);
    bool Active() const { return !text_.isEmpty(); }
    // The first station node the find shows, in tree order, or nullptr.
    TStationNode* FirstMatch() const;
    // Selects and plays the first match.
    void PlayFirst();
    // After the tree was rebuilt: the find box's text is applied to the new nodes.
    void Reloaded();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Filter(const QString& folded, bool narrowing);
    void End();

    TfrmMain& f_;
    QPointer<QLineEdit> box_;
    QString text_; // the folded text the tree shows, empty when no find is on
    std::optional<TTreeState> before_;
    qint64 selectedAtStart_ = 0; // station id selected when the find began (0: none)
};
