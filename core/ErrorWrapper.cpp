#include "core/ErrorWrapper.h"

#include "core/MessagePresenter.h"

namespace orvik {

QString errorText(const std::exception& e) {
    if (auto* err = dynamic_cast<const Error*>(&e))
        return err->message();
    return QString::fromUtf8(e.what());
}

void ShowApplicationError(const QString& text) {
    QString shown = text;
    if (!shown.isEmpty() && shown.back() > QChar(u'.'))
        shown += u'.';
    presenter().show(MessagePresenter::Kind::AppError, QStringLiteral("Orvik"), shown);
}

void runGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        ShowApplicationError(errorText(e));
    } catch (...) {
        ShowApplicationError(QStringLiteral("Unknown error"));
    }
}

void runReporting(const std::function<void()>& block) {
    try {
        block();
    } catch (const std::exception& e) {
        ShowError(errorText(e));
    } catch (...) {
        ShowError(QStringLiteral("Unknown error"));
    }
}

void runSilently(const std::function<void()>& block) {
    try {
        block();
    } catch (...) {
    }
}

} // namespace orvik
