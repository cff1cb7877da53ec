#pragma once

// What the menu tests share: our built skins and a skin of colours only, and a window with a
// menu bar whose menus the skin draws.

#include "tests/skindata/SkinTestKit.h"

#include "skin/data/SkinData.h"
#include "skin/draw/menus/WindowMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <memory>

namespace menutest {

inline std::unique_ptr<TSkinData> builtSkin(const QString& name) {
    auto skin = std::make_unique<TSkinData>();
    skin->SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/") + name + QStringLiteral(".skn"));
    skin->SetSkinControls({xcMainMenu, xcPopupMenu, xcSystemMenu});
    skin->SetActive(true);
    return skin;
}

inline void switchTo(TSkinData& skin, const QString& name) {
    skin.SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/") + name + QStringLiteral(".skn"));
}

// A skin with colours only: no menu bar, menu item or menu background picture.
inline std::unique_ptr<TSkinData> flatSkin() {
    skintest::PackageRecipe recipe;
    recipe.definition = QStringList{"[Colours]",
                                    "Menubar=10 20 30",
                                    "Menu=200 210 220",
                                    "MenuText=1 2 3",
                                    "MenuBarText=4 5 6",
                                    "Hilight=40 50 160",
                                    "HilightText=250 250 240",
                                    "ButtonHilight=255 255 0",
                                    "ButtonShadow=90 91 92"};
    auto skin = std::make_unique<TSkinData>();
    skintest::loadInto(*skin, recipe);
    skin->SetSkinControls({xcMainMenu, xcPopupMenu, xcSystemMenu});
    skin->SetActive(true);
    return skin;
}

// A main window with Category, Stations and View menus, a command item on the bar, and a
// context menu; its menus are drawn by the skin given.
struct MenuWindow {
    QMainWindow window;
    QMenu* category = nullptr;
    QMenu* stations = nullptr;
    QMenu* view = nullptr;
    QMenu* skins = nullptr;
    QAction* command = nullptr;
    QMenu* context = nullptr;
    QList<QAction*> stationItems;

    explicit MenuWindow(TSkinData* skin, Qt::LayoutDirection direction = Qt::LeftToRight,
                        bool withCommand = true) {
        window.setLayoutDirection(direction);
        window.resize(520, 300);
        QMenuBar* bar = window.menuBar();
        category = bar->addMenu(QStringLiteral("&Category"));
        category->addAction(QStringLiteral("&Add category"));
        category->addAction(QStringLiteral("&Rename category"));
        category->addSeparator();
        category->addAction(QStringLiteral("&Delete category"));
        stations = bar->addMenu(QStringLiteral("&Stations"));
        for (const char* name : {"&Play", "S&top", "&Next channel", "&Edit station"})
            stationItems.append(stations->addAction(QString::fromLatin1(name)));
        stationItems[0]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
        stationItems[1]->setEnabled(false);
        stationItems[2]->setCheckable(true);
        stationItems[2]->setChecked(true);
        stations->insertSeparator(stationItems[3]);
        view = bar->addMenu(QStringLiteral("&View"));
        view->addAction(QStringLiteral("&Tree"));
        skins = view->addMenu(QStringLiteral("S&kins"));
        skins->addAction(QStringLiteral("Nightfall"));
        skins->addAction(QStringLiteral("Pebble"));
        if (withCommand)
            command = bar->addAction(QStringLiteral("&Go"));
        context = new QMenu(&window);
        context->addAction(QStringLiteral("Play"));
        context->addAction(QStringLiteral("Add to favorites"));
        new TWindowMenus(&window, skin);
    }

    QMenuBar* bar() { return window.menuBar(); }

    bool show() {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowExposed(&window) && QTest::qWaitForWindowActive(&window);
    }
};

} // namespace menutest
