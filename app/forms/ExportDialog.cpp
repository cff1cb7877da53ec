#include "app/forms/ExportDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TExportDialog::TExportDialog(QWidget* owner, const QString& category, int favorites, int results)
    : QDialog(owner) {
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(QStringLiteral("Export playlist"));
    auto radio = [this](const QString& name, const QString& text, bool enabled) {
        auto* rb = new QRadioButton(text, this);
        rb->setObjectName(name);
        rb->setEnabled(enabled);
        return rb;
    };
    rbExportCategory =
        radio(QStringLiteral("rbExportCategory"),
              category.isNull() ? QStringLiteral("The selected category (none)")
                                : QStringLiteral("The category \"%1\"").arg(category),
              !category.isNull());
    rbExportFavorites = radio(QStringLiteral("rbExportFavorites"),
                              QStringLiteral("The favorites (%1)").arg(favorites), favorites > 0);
    rbExportResults = radio(QStringLiteral("rbExportResults"),
                            QStringLiteral("The search results (%1)").arg(results), results > 0);
    rbExportWhole =
        radio(QStringLiteral("rbExportWhole"), QStringLiteral("The whole catalogue"), true);
    (rbExportCategory->isEnabled() ? rbExportCategory : rbExportWhole)->setChecked(true);

    cmdOK = new QPushButton(QStringLiteral("&Export..."), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    for (QRadioButton* rb : {rbExportCategory, rbExportFavorites, rbExportResults, rbExportWhole})
        layout->addWidget(rb);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
}
