#include "app/forms/MenuBinding.h"

#include <QAction>

namespace orvik {

void bindMenuItem(QAction* item, QAction* action, bool ownCaption) {
    auto sync = [item, action, ownCaption] {
        if (!ownCaption)
            item->setText(action->text());
        item->setEnabled(action->isEnabled());
        item->setCheckable(action->isCheckable());
        item->setChecked(action->isChecked());
        item->setVisible(action->isVisible());
    };
    sync();
    QObject::connect(action, &QAction::changed, item, sync);
    QObject::connect(item, &QAction::triggered, action, [action] { action->trigger(); });
}

} // namespace orvik
