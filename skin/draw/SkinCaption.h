#pragma once

#include <QObject>

// The caption painter's switch. While it is on, every skinned title bar shows its window's
// caption text (in the skin's caption font and title colours, on the title's text background)
// and the caption buttons placed around the text find their places; off, the title bars are
// drawn without text. One setting for the whole program: every instance shares it and the
// last one written wins.
class TSkinCaption : public QObject {
    Q_OBJECT
public:
    explicit TSkinCaption(QObject* parent = nullptr);

    bool Active() const { return IsActive(); }
    // Stores the setting and lays every skinned frame out and paints it again.
    void SetActive(bool value);
    static bool IsActive();
};
