// The main window's skin data component, with the skin stored in the program.
#include "app/forms/MainWindow.h"

#include "ui_MainWindow.h"

#include "app/forms/SkinSetup.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinCaption.h"
#include "skin/draw/SkinManage.h"
#include "skins/storedskin/StoredSkin.h"

#include <QBuffer>

void TfrmMain::CreateSkinEngine() {
    // The skin stored with the window is in use until a skin file is set.
    SkinEngine = new TSkinData(this);
    SkinEngine->setObjectName(QStringLiteral("SkinEngine"));
    SkinEngine->SetErrorHook(&TSkinSetup::ShowSkinError);
    SkinEngine->BeginRead();
    SkinEngine->SetActive(true);
    SkinEngine->SetDisableTag(99);
    SkinEngine->SetSkinControls({xcMainMenu, xcPopupMenu, xcSystemMenu,  xcToolbar,  xcControlbar,
                                 xcCombo,    xcCheckBox,  xcRadioButton, xcProgress, xcScrollbar,
                                 xcEdit,     xcSpin,      xcButton,      xcBitBtn,   xcSpeedButton,
                                 xcPanel,    xcGroupBox,  xcStatusBar,   xcTab,      xcTrackBar});
    SkinEngine->SetOptions({xoPreview, xoToolbarBK});
    SkinEngine->SetSkinFormtype(sfMainform);
    SkinEngine->SetMenuUpdate(true);
    SkinEngine->SetMenuMerge(false);
    SkinEngine->SetSkin3rd(TSkinData::DefaultSkin3rd());
    QByteArray stored = storedSkinStream();
    QBuffer buffer(&stored);
    buffer.open(QIODevice::ReadOnly);
    SkinEngine->ReadSkinStream(buffer);
    // The program's one skin manager watches every window from the first component's load.
    TSkinManage::UseProgramManager();
    (new TSkinCaption(this))->SetActive(true);
    SkinEngine->Loaded();
    skinSetup_ = new TSkinSetup(*SkinEngine, ui->mnuSkins, ui->mnuUseSkins, this);
}
