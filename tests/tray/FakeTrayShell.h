#pragma once

#include "TrayShell.h"

#include <QList>
#include <QSet>

// A notification area that answers like the real one (an icon can be added once, and only an
// added icon can be modified, deleted or versioned) and records every command.
class FakeTrayShell final : public TTrayShell {
public:
    struct Call {
        TTrayCommand command;
        TTrayIconData data;
        bool answer;
    };

    bool NotifyIcon(TTrayCommand command, const TTrayIconData& data) override {
        bool answer = false;
        switch (command) {
        case TTrayCommand::Add:
            answer = !shown.contains(data.Id);
            shown.insert(data.Id);
            break;
        case TTrayCommand::Modify:
        case TTrayCommand::SetVersion:
            answer = shown.contains(data.Id);
            break;
        case TTrayCommand::Delete:
            answer = shown.remove(data.Id);
            break;
        }
        calls.append({command, data, answer});
        return answer;
    }

    QPoint CursorPos() const override { return cursor; }
    Qt::KeyboardModifiers KeyboardModifiers() const override { return modifiers; }

    // The commands of one kind for one icon, in order.
    QList<Call> callsFor(quint64 id, TTrayCommand command) const {
        QList<Call> found;
        for (const Call& call : calls)
            if (call.data.Id == id && call.command == command)
                found.append(call);
        return found;
    }

    // The notification area was restarted: it knows no icons any more.
    void restart() { shown.clear(); }

    void reset() {
        calls.clear();
        shown.clear();
        cursor = QPoint(100, 200);
        modifiers = Qt::NoModifier;
    }

    QList<Call> calls;
    QSet<quint64> shown;
    QPoint cursor{100, 200};
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
