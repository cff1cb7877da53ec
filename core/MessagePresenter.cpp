#include "core/MessagePresenter.h"

#include "core/Text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace orvik {
namespace {

class DialogPresenter final : public MessagePresenter {
public:
    bool show(Kind kind, const QString& title, const QString& text) override {
        QMessageBox box;
        box.setWindowTitle(title);
        box.setText(text);
        switch (kind) {
        case Kind::Error:
        case Kind::AppError:
            box.setIcon(QMessageBox::Critical);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Kind::Information:
            box.setIcon(QMessageBox::Information);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Kind::Plain:
            box.setIcon(QMessageBox::NoIcon);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Kind::Confirmation:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.button(QMessageBox::Yes)->setText(QStringLiteral("&Yes"));
            box.button(QMessageBox::No)->setText(QStringLiteral("&No"));
            break;
        }
        return box.exec() == QMessageBox::Yes;
    }

    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& initial) override {
        bool ok = false;
        QString value = QInputDialog::getText(QApplication::activeWindow(), caption, prompt,
                                              QLineEdit::Normal, initial, &ok);
        if (!ok)
            return std::nullopt;
        return value;
    }
};

DialogPresenter defaultPresenter;
MessagePresenter* current = nullptr;

} // namespace

MessagePresenter& presenter() {
    return current ? *current : defaultPresenter;
}

void setPresenter(MessagePresenter* p) {
    current = p;
}

void ShowError(const QString& message, const QStringList& replacements) {
    presenter().show(MessagePresenter::Kind::Error, QStringLiteral("Error"),
                     FillPlaceholders(message, replacements));
}

void ShowInformation(const QString& message, const QStringList& replacements) {
    presenter().show(MessagePresenter::Kind::Information, QStringLiteral("Information"),
                     FillPlaceholders(message, replacements));
}

bool ShowConfirmation(const QString& message, const QStringList& replacements) {
    return presenter().show(MessagePresenter::Kind::Confirmation, QStringLiteral("Confirm"),
                            FillPlaceholders(message, replacements));
}

void ShowMessage(const QString& message) {
    presenter().show(MessagePresenter::Kind::Plain, QStringLiteral("Orvik"), message);
}

QString InputBox(const QString& caption, const QString& prompt, const QString& initial) {
    return presenter().input(caption, prompt, initial).value_or(initial);
}

} // namespace orvik
