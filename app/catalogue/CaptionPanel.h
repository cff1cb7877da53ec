#pragma once

#include <QFrame>
#include <QString>

// A raised panel with one centred caption. Setting the caption only stores it and asks for a
// repaint, so it may be set very often while the picture is brought up to date at the next paint.
class TCaptionPanel : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY captionChanged)
public:
    explicit TCaptionPanel(QWidget* parent = nullptr);

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);

    QSize sizeHint() const override;

signals:
    void captionChanged(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};
