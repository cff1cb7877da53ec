#include "app/catalogue/CaptionPanel.h"

#include <QPainter>

TCaptionPanel::TCaptionPanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
}

void TCaptionPanel::setCaption(const QString& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    update();
    emit captionChanged(caption_);
}

QSize TCaptionPanel::sizeHint() const {
    const QSize text = fontMetrics().size(Qt::TextSingleLine, caption_);
    return text + QSize(2 * frameWidth() + 8, 2 * frameWidth() + 4);
}

void TCaptionPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawText(contentsRect(), Qt::AlignCenter | Qt::TextSingleLine, caption_);
}
