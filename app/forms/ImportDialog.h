#pragma once

#include "app/catalogue/ImportPlan.h"
#include "app/catalogue/Playlist.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Shows what a playlist file holds before anything is written, and where its stations go: one
// chosen or new category, or one category per group. The counts follow every change of the
// choice; Import is offered only when there is something new to add.
class TImportDialog : public QDialog {
    Q_OBJECT
public:
    TImportDialog(QWidget* owner, orvik::TImportPlanner& planner, const orvik::TPlaylist& playlist,
                  const QString& fileName);

    orvik::TImportChoice Choice() const;
    // The plan for the choice shown; empty (no rows) while the choice is incomplete.
    const orvik::TImportPlan& Plan() const { return plan_; }

    QRadioButton* rbOneCategory;
    QRadioButton* rbByGroup;
    QComboBox* cbImportCategory;
    QLabel* lblSummary;
    QPushButton* cmdImport;
    QPushButton* cmdCancel;

private:
    void Replan();

    orvik::TImportPlanner& planner_;
    const orvik::TPlaylist& playlist_;
    orvik::TImportPlan plan_;
};
