#include "app/forms/ImportDialog.h"

#include "core/ErrorWrapper.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace orvik;

TImportDialog::TImportDialog(QWidget* owner, TImportPlanner& planner, const TPlaylist& playlist,
                             const QString& fileName)
    : QDialog(owner), planner_(planner), playlist_(playlist) {
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("Import playlist"));
    auto* header = new QLabel(
        QStringLiteral("%1 (%2)").arg(QFileInfo(fileName).fileName(), playlist.Format), this);
    header->setObjectName(QStringLiteral("lblFile"));
    header->setTextInteractionFlags(Qt::TextSelectableByMouse);

    rbOneCategory = new QRadioButton(QStringLiteral("Into one category:"), this);
    rbOneCategory->setObjectName(QStringLiteral("rbOneCategory"));
    cbImportCategory = new QComboBox(this);
    cbImportCategory->setObjectName(QStringLiteral("cbImportCategory"));
    cbImportCategory->setEditable(true);
    cbImportCategory->setInsertPolicy(QComboBox::NoInsert);
    cbImportCategory->addItems(planner.CategoryNames());
    cbImportCategory->setEditText(QFileInfo(fileName).completeBaseName());
    cbImportCategory->setMinimumWidth(220);

    rbByGroup = new QRadioButton(this);
    rbByGroup->setObjectName(QStringLiteral("rbByGroup"));

    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    lblSummary->setMinimumHeight(110);
    lblSummary->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmdImport = new QPushButton(QStringLiteral("&Import"), this);
    cmdImport->setObjectName(QStringLiteral("cmdImport"));
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdImport->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    auto* one = new QHBoxLayout;
    one->addWidget(rbOneCategory);
    one->addWidget(cbImportCategory, 1);
    layout->addLayout(one);
    layout->addWidget(rbByGroup);
    layout->addWidget(lblSummary);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdImport);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);

    // Groups are counted once; the plan of the one-category choice knows them.
    TImportChoice probe;
    probe.Category = QStringLiteral("-");
    const qint64 groups = planner_.Plan(playlist_, probe).Groups;
    rbByGroup->setText(
        groups > 0
            ? QStringLiteral("One category per group (%1 groups); stations without a group go "
                             "to the category above")
                  .arg(groups)
            : QStringLiteral("One category per group (the file names no groups)"));
    rbByGroup->setEnabled(groups > 0);
    (groups > 0 ? rbByGroup : rbOneCategory)->setChecked(true);

    connect(rbOneCategory, &QRadioButton::toggled, this, [this] { Replan(); });
    connect(cbImportCategory, &QComboBox::editTextChanged, this, [this] { Replan(); });
    connect(cmdImport, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Replan();
}

TImportChoice TImportDialog::Choice() const {
    TImportChoice choice;
    choice.ByGroup = rbByGroup->isChecked();
    choice.Category = cbImportCategory->currentText();
    return choice;
}

void TImportDialog::Replan() {
    try {
        plan_ = planner_.Plan(playlist_, Choice());
        QStringList lines = plan_.Summary();
        if (plan_.New == 0)
            lines << QString() << QStringLiteral("There is nothing new to import.");
        lblSummary->setText(lines.join(u'\n'));
    } catch (const std::exception& e) {
        plan_ = {};
        lblSummary->setText(errorText(e));
    }
    cmdImport->setEnabled(plan_.New > 0);
}
