#include "app/forms/StopReason.h"

#include "ui_MainWindow.h"

#include <QLabel>

namespace {
constexpr int kLeft = 177; // where the loading note starts, right of Stop
constexpr int kGap = 6;
} // namespace

TStopReason::TStopReason(Ui::TfrmMain& ui, QObject* parent)
    : QObject(parent), ui_(ui), label_(new QLabel(ui.pnlControls)) {
    label_->setObjectName(QStringLiteral("lblStopReason"));
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label_->hide();
    layout();
}

void TStopReason::show(const QString& reason) {
    label_->setText(reason);
    label_->setVisible(!reason.isEmpty());
    ui_.lblStatusText->setToolTip(reason.isEmpty() ? QString() : reason);
    if (!reason.isEmpty()) {
        layout();
        label_->raise();
    }
}

QString TStopReason::text() const {
    return label_->text();
}

void TStopReason::layout() {
    const int right = ui_.Panel1->x() - kGap;
    label_->setGeometry(kLeft, 4, std::max(0, right - kLeft), ui_.pnlControls->height() - 8);
}
