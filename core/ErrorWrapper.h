#pragma once

#include <QString>

#include <exception>
#include <functional>

namespace orvik {

// The error every failing step of the program raises: a message for the user.
class Error : public std::exception {
public:
    explicit Error(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const char* what() const noexcept override { return utf8_.constData(); }
    const QString& message() const { return message_; }

private:
    QString message_;
    QByteArray utf8_;
};

// The text of an exception as the user sees it.
QString errorText(const std::exception& e);

// The application's default error display: a box titled "Orvik" with the error text, a full
// stop appended when the last character sorts after ".".
void ShowApplicationError(const QString& text);

// Runs one command handler. Any exception is shown by the default error display and goes no
// further: exceptions never cross the event loop.
void runGuarded(const std::function<void()>& handler);

// Runs a block and shows any exception in the error box ("Error" title); used where a command
// catches its own errors (start-up's database block, the loader, Play).
void runReporting(const std::function<void()>& block);

// Runs a block whose errors are ignored without a word.
void runSilently(const std::function<void()>& block);

} // namespace orvik
