#pragma once

#include "core/MessagePresenter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

// A message presenter for tests: records every box instead of showing it and answers
// confirmation and input boxes from queues (No and Cancel when a queue is empty). Installs
// itself while it lives.
class RecordingPresenter : public orvik::MessagePresenter {
public:
    struct Box {
        Kind kind;
        QString title;
        QString text;
    };

    RecordingPresenter() { orvik::setPresenter(this); }
    ~RecordingPresenter() override { orvik::setPresenter(nullptr); }

    bool show(Kind kind, const QString& title, const QString& text) override {
        boxes.append({kind, title, text});
        if (kind != Kind::Confirmation || confirmations.empty())
            return false;
        const bool yes = confirmations.front();
        confirmations.pop_front();
        return yes;
    }

    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& initial) override {
        inputs.append({Kind::Information, caption, prompt});
        inputInitials.append(initial);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QStringList texts() const {
        QStringList out;
        for (const Box& b : boxes)
            out << b.text;
        return out;
    }

    QList<Box> boxes;
    QList<Box> inputs; // caption in title, prompt in text
    QStringList inputInitials;
    std::deque<bool> confirmations;
    std::deque<std::optional<QString>> answers;
};
