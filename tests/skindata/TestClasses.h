#pragma once

#include <QObject>

class TestQuickIni : public QObject {
    Q_OBJECT
private slots:
    void splitsTrimsAndDropsComments();
    void sectionLookup();
    void lookupsInAHugeDefinition();
    void keyLookup();
    void integers_data();
    void integers();
    void loadsFromStreamPosition();
    void colourTexts_data();
    void colourTexts();
    void colourReaders();
};

class TestSkinElements : public QObject {
    Q_OBJECT
private slots:
    void bordersTitleAndMenuBar();
    void paletteAndColourTable();
    void captionButtons();
    void childWindowButtons();
    void checkAndRadioFrames_data();
    void checkAndRadioFrames();
    void sectionElements();
    void comboComposite();
    void comboCompositeWithArrowAndTransparency();
    void toolbarGradient();
    void toolbarGradientWithoutBorder();
    void builtInPictures();
};

class TestSkinComponent : public QObject {
    Q_OBJECT
private slots:
    void defaults();
    void secondSkinDropsElements();
    void packageWithoutDefinition();
    void setActiveCommands();
    void loadedStartsSkinning();
    void loadedForOtherFormTypes();
    void skinFileRefreshesWindows();
    void missingFileKeepsSkin();
    void hostilePackagesKeepSkin_data();
    void hostilePackagesKeepSkin();
    void storedSkinStream();
    void formSkinRules();
    void destroyDeregisters();
};

class TestHostileSkins : public QObject {
    Q_OBJECT
private slots:
    void amplifierIsRefusedFromItsHeader();
    void onePictureIsDecodedOnce();
    void loadHasOnePixelBudget();
    void definitionsPastTheLimits_data();
    void definitionsPastTheLimits();
    void definitionsAtTheLimitsLoad();
    void namesAreCountedBeforeTheyAreSplit();
};

class TestNineSlice : public QObject {
    Q_OBJECT
private slots:
    void cornersStayEdgesStretch();
    void stretchIsNearestNeighbour();
    void tileRepeatsFromTopLeft();
    void marginsDroppedWhenTooSmall();
    void seeThroughAgainstOpaque();
    void framesOfStripsAndStacks();
    void preparedCellsFollowThePicture();
    void glyphsCentredWholeSeeThrough();
};
