#pragma once

// A message presenter for catalogue tests: it records every box instead of showing it and
// answers confirmations and input boxes as the test says. Installed while it lives.

#include "core/MessagePresenter.h"

#include <QList>
#include <QString>

#include <optional>

class CataloguePresenter final : public orvik::MessagePresenter {
public:
    struct Box {
        Kind kind;
        QString title;
        QString text;
    };

    CataloguePresenter() { orvik::setPresenter(this); }
    ~CataloguePresenter() override { orvik::setPresenter(nullptr); }
    CataloguePresenter(const CataloguePresenter&) = delete;
    CataloguePresenter& operator=(const CataloguePresenter&) = delete;

    bool show(Kind kind, const QString& title, const QString& text) override {
        boxes.append({kind, title, text});
        return kind == Kind::Confirmation && confirm;
    }

    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return answer;
    }

    QList<Box> boxes;
    bool confirm = true;
    std::optional<QString> answer;
};
