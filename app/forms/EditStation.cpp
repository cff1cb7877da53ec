#include "app/forms/EditStation.h"

#include "ui_EditStation.h"

#include "app/catalogue/StationReader.h"
#include "core/ErrorWrapper.h"
#include "core/MessagePresenter.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

TfrmEditStation::TfrmEditStation(QWidget* owner, TCatalogue& catalogue)
    : QDialog(owner), ui(std::make_unique<Ui::TfrmEditStation>()), qrySQL(catalogue) {
    ui->setupUi(this);
    // A dialog border: title and close box only, no resizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // Centred on the screen, not on the owner.
    if (QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    connect(ui->cmdOK, &QPushButton::clicked, this, &TfrmEditStation::cmdOKClick);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &TfrmEditStation::cmdCancelClick);
    FormCreate();
}

TfrmEditStation::~TfrmEditStation() = default;

void TfrmEditStation::FormCreate() {
    ui->cbFormat->setCurrentIndex(0);
    ids_.clear();
    ui->cbCategory->clear();
    qrySQL.Open(QStringLiteral("select * from categories order by c_name"));
    while (!qrySQL.Eof()) {
        ui->cbCategory->addItem(qrySQL.FieldByName(QStringLiteral("c_name")).toString());
        ids_ << qrySQL.FieldByName(QStringLiteral("c_id")).toString();
        qrySQL.Next();
    }
    qrySQL.Close();
    if (ui->cbCategory->count() > 0)
        ui->cbCategory->setCurrentIndex(0);
}

void TfrmEditStation::SelectCategory(const QString& id) {
    const int index = ids_.indexOf(id);
    if (index >= 0)
        ui->cbCategory->setCurrentIndex(index);
}

qint64 TfrmEditStation::CategoryId() const {
    const int index = ui->cbCategory->currentIndex();
    const std::optional<qint64> id =
        index >= 0 && index < ids_.size() ? CatalogueId(ids_[index]) : std::nullopt;
    if (!id)
        throw orvik::Error(QStringLiteral("The station has no category."));
    return *id;
}

void TfrmEditStation::cmdOKClick() {
    // A station without a name cannot be found in the tree, one without an address cannot
    // play: the dialog stays open with what was typed.
    QLineEdit* missing = nullptr;
    QString message;
    if (ui->txtName->text().trimmed().isEmpty()) {
        missing = ui->txtName;
        message = QStringLiteral("Please enter the name of the station.");
    } else if (ui->txtURL->text().trimmed().isEmpty()) {
        missing = ui->txtURL;
        message = QStringLiteral("Please enter the address (URL) of the station.");
    }
    if (missing) {
        orvik::ShowInformation(message);
        missing->setFocus();
        return;
    }
    accept();
}

void TfrmEditStation::cmdCancelClick() {
    reject();
}

void TfrmEditStation::keyPressEvent(QKeyEvent* e) {
    // No button answers Enter or Escape: the dialog closes only through its buttons.
    switch (e->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Enter:
    case Qt::Key_Return:
        e->ignore();
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}
