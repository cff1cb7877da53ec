#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace orvik {

// Every message box and input box of the program goes through the one presenter, so that tests
// can install a presenter of their own and answer the boxes.
class MessagePresenter {
public:
    enum class Kind { Error, Information, Confirmation, AppError, Plain };

    virtual ~MessagePresenter() = default;

    // Shows a box; returns true only when a confirmation box was answered "&Yes".
    virtual bool show(Kind kind, const QString& title, const QString& text) = 0;
    // A modal text-input box; no value when the user cancelled.
    virtual std::optional<QString> input(const QString& caption, const QString& prompt,
                                         const QString& initial) = 0;
};

// The presenter in force. The default one uses QMessageBox and QInputDialog.
MessagePresenter& presenter();
// Installs a presenter (not owned); nullptr puts the default back.
void setPresenter(MessagePresenter* p);

// The three boxes of the program. Placeholders "%s" in the message are filled in order.
void ShowError(const QString& message, const QStringList& replacements = {});
void ShowInformation(const QString& message, const QStringList& replacements = {});
bool ShowConfirmation(const QString& message, const QStringList& replacements = {});

// The plain message box: titled "Orvik", no icon, one "OK" button.
void ShowMessage(const QString& message);

// The modal input box. Returns the initial value when the user cancels.
QString InputBox(const QString& caption, const QString& prompt, const QString& initial);

} // namespace orvik
