#pragma once

#include "tests/skinparts/PartsKit.h"

#include <QObject>

class TestSkinParts : public QObject {
    Q_OBJECT

private slots:
    // geometry as values (test_skinparts.cpp)
    void scrollBarGeometry();
    void sliderGeometry();
    void tabSideTurns();
    // painted from options in each state, against the built skins (PaintedStates.cpp)
    void skins_data();
    void skins();
    // without pictures, and the texts (test_skinparts.cpp)
    void fallbackWithoutPictures();
    void textContrast_data() { skins_data(); }
    void textContrast();
    // real widgets (RealWidgets.cpp)
    void treeScrollBars();
    void tabWidgetCloseMarks();
    void statusBarAndSlider();
};
