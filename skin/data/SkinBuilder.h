#pragma once

#include "skin/data/SkinElements.h"

#include <QStringList>

class TQuickIni;
class TSkinReader;

// Builds one complete skin from a parsed definition and the package that holds its pictures.
// Nothing here touches the skin in force: the caller puts the result in force in one step.
class TSkinBuilder {
public:
    TSkinBuilder(const TQuickIni& ini, const TSkinReader& reader, int scrollArrowWidth);

    TSkinBuild Build();

    // Whether a section name makes a caption button, from its name and keys.
    static bool IsCaptionButtonSection(const TQuickIni& ini, const QString& section);

private:
    QImage loadImage(const QString& section, const QString& key) const;
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
    QStringList sections_;
    TSkinBuild build_;
    int borderFrames_[4] = {1, 1, 1, 1};
};
