#pragma once

#include "skin/data/SkinElements.h"
#include "skin/data/SkinPictures.h"

#include <QByteArrayView>
#include <QStringList>

#include <stdexcept>

class TQuickIni;
class TSkinReader;

// A definition the builder refuses as a whole; the text says why.
class ESkinRefused : public std::runtime_error {
public:
    explicit ESkinRefused(const QString& text)
        : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// Builds one complete skin from a parsed definition and the package that holds its pictures.
// Nothing here touches the skin in force: the caller puts the result in force in one step.
class TSkinBuilder {
public:
    // No skin has more caption buttons or colour-table entries than these; a definition with
    // more is refused before anything is built.
    static constexpr int MaxCaptionButtons = 64;
    static constexpr int MaxColourTable = 1024;

    TSkinBuilder(const TQuickIni& ini, const TSkinReader& reader, int scrollArrowWidth);

    // Throws ESkinRefused for a definition past the limits above.
    TSkinBuild Build();
    // The same limits checked on the definition's text before it is parsed, in one pass over
    // its bytes: a definition of a hundred thousand sections is refused in milliseconds. The
    // caption buttons are counted by section name here (sections the "Action" rule leaves out
    // count too). Throws ESkinRefused.
    static void CheckDefinitionText(QByteArrayView text);
    // The pictures refused while building (too large, past the load's budget).
    const QStringList& RefusedPictures() const { return pictures_.Refusals(); }

    // Whether a section name makes a caption button, from its name and keys.
    static bool IsCaptionButtonSection(const TQuickIni& ini, const QString& section);
    // Whether a section is one entry of the colour table ([Colour...], not [Colours]).
    static bool IsColourSection(const QString& name);

private:
    QImage loadImage(const QString& section, const QString& key);
    void checkCounts() const;
    void readBorder(TDataSkinBorder& border, const QString& side);
    void readColours();
    void readColourTable();
    void readCaptionButtons();
    void readChildWindowButtons();
    void readButtons();
    void readTitle();
    // The element of a section, when its image key has a value.
    TDataSkinObject* readSection(SkinPart part);
    void readMenuBar();
    void setFrameCounts();

    const TQuickIni& ini_;
    const TSkinReader& reader_;
    int arrowWidth_;
    TSkinPictures pictures_;
    QStringList sections_;
    TSkinBuild build_;
    int borderFrames_[4] = {1, 1, 1, 1};
};
