#include "skin/draw/SystemMenu.h"

#include "skin/data/SkinData.h"
#include "skin/draw/menus/PopupMenus.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace orvik {

namespace {

struct TCommandInfo {
    TSystemCommand command;
    const char* text;
    int glyph; // index into the skin's menu glyphs, -1 for none
};

constexpr TCommandInfo kCommands[] = {
    {TSystemCommand::Restore, "&Restore", 0},   {TSystemCommand::Move, "&Move", -1},
    {TSystemCommand::Size, "&Size", -1},        {TSystemCommand::Minimise, "Mi&nimize", 2},
    {TSystemCommand::Maximise, "Ma&ximize", 1}, {TSystemCommand::Close, "&Close", 3},
};

} // namespace

TSystemMenuState SystemMenuStateOf(const QWidget* window) {
    TSystemMenuState state;
    if (!window)
        return state;
    state.maximised = window->isMaximized();
    state.minimised = window->isMinimized();
    state.sizeable = window->minimumSize() != window->maximumSize() &&
                     !window->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
    const Qt::WindowFlags flags = window->windowFlags();
    if (flags.testFlag(Qt::CustomizeWindowHint)) {
        state.minimiseBox = flags.testFlag(Qt::WindowMinimizeButtonHint);
        state.maximiseBox = flags.testFlag(Qt::WindowMaximizeButtonHint);
    } else {
        // Without hints of its own an ordinary window has both boxes, dialogs and tool
        // windows have neither.
        const bool ordinary = window->windowType() == Qt::Window;
        state.minimiseBox = ordinary || flags.testFlag(Qt::WindowMinimizeButtonHint);
        state.maximiseBox = ordinary || flags.testFlag(Qt::WindowMaximizeButtonHint);
    }
    return state;
}

bool SystemCommandEnabled(TSystemCommand command, const TSystemMenuState& state) {
    const bool normal = !state.maximised && !state.minimised;
    switch (command) {
    case TSystemCommand::Restore:
        return !normal;
    case TSystemCommand::Move:
        return normal;
    case TSystemCommand::Size:
        return normal && state.sizeable;
    case TSystemCommand::Minimise:
        return !state.minimised && state.minimiseBox;
    case TSystemCommand::Maximise:
        return !state.maximised && state.maximiseBox;
    case TSystemCommand::Close:
        return true;
    }
    return false;
}

bool RunSystemCommand(QWidget* window, TSystemCommand command) {
    if (!window || !SystemCommandEnabled(command, SystemMenuStateOf(window)))
        return false;
    switch (command) {
    case TSystemCommand::Restore:
        window->showNormal();
        return true;
    case TSystemCommand::Minimise:
        window->showMinimized();
        return true;
    case TSystemCommand::Maximise:
        window->showMaximized();
        return true;
    case TSystemCommand::Close:
        window->close();
        return true;
    case TSystemCommand::Move:
        return window->windowHandle() && window->windowHandle()->startSystemMove();
    case TSystemCommand::Size:
        return window->windowHandle() &&
               window->windowHandle()->startSystemResize(Qt::RightEdge | Qt::BottomEdge);
    }
    return false;
}

QString SystemCommandText(TSystemCommand command) {
    for (const TCommandInfo& info : kCommands)
        if (info.command == command)
            return QString::fromLatin1(info.text);
    return QString();
}

void FillSystemMenu(QMenu& menu, QWidget* window, const TSkinData* skin) {
    menu.clear();
    // Skinned by the system menu's own gate and drawn by the popup item painter.
    TPopupMenus::MarkSystemMenu(&menu);
    const TSystemMenuState state = SystemMenuStateOf(window);
    const QPointer<QWidget> target(window);
    for (const TCommandInfo& info : kCommands) {
        if (info.command == TSystemCommand::Close)
            menu.addSeparator();
        QAction* action = menu.addAction(SystemCommandText(info.command));
        action->setData(int(info.command));
        action->setEnabled(SystemCommandEnabled(info.command, state));
        if (skin && info.glyph >= 0 && info.glyph < skin->MenuGlyphs().size())
            action->setIcon(QIcon(QPixmap::fromImage(skin->MenuGlyphs().at(info.glyph))));
        if (info.command == TSystemCommand::Close) {
            // Shown as the key that closes the window; the window manager owns the key itself.
            action->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
            action->setShortcutContext(Qt::WidgetShortcut);
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
        }
        // The menu closes before the command runs: a move or resize starts once it has gone.
        const TSystemCommand command = info.command;
        QObject::connect(action, &QAction::triggered, &menu, [target, command] {
            if (target)
                RunSystemCommand(target, command);
        });
    }
}

} // namespace orvik
