#include "skin/draw/controls/SkinFactory.h"

#include "skin/data/SkinData.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSlider>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

namespace orvik {

namespace {

using K = TControlKind;

bool on(const TSkinData& skin, TSkinControlType member) {
    return skin.SkinControls().contains(member);
}

TSkinnerChoice choice(K kind, bool setColour = false) {
    TSkinnerChoice c;
    c.kind = kind;
    c.setColour = setColour;
    return c;
}

// A control with a border: its frame takes room around its contents.
bool hasBorder(const QWidget* w) {
    if (const auto* e = qobject_cast<const QLineEdit*>(w))
        return e->hasFrame();
    if (const auto* f = qobject_cast<const QFrame*>(w))
        return f->frameWidth() > 0;
    return false;
}

// The family a Skin3rd keyword names, gated by its member; decided is false for keywords
// that are not ours, so that the class rules decide.
TSkinnerChoice fromKeyword(const TSkinData& skin, const QString& keyword, const QWidget* w,
                           bool& decided) {
    decided = true;
    const bool button = on(skin, xcButton);
    const bool scroll = on(skin, xcScrollbar);
    if (keyword == QLatin1String("nil") || keyword == QLatin1String("container") ||
        keyword == QLatin1String("mediaplayer"))
        return {};
    if (keyword == QLatin1String("combobox"))
        return on(skin, xcCombo) ? choice(K::ComboBox) : TSkinnerChoice{};
    if (keyword == QLatin1String("edit"))
        return on(skin, xcEdit) && hasBorder(w) ? choice(K::Edit) : TSkinnerChoice{};
    if (keyword == QLatin1String("radiobutton"))
        return on(skin, xcRadioButton) ? choice(K::RadioButton) : TSkinnerChoice{};
    if (keyword == QLatin1String("checkbox"))
        return on(skin, xcCheckBox) ? choice(K::CheckBox) : TSkinnerChoice{};
    if (keyword == QLatin1String("panel"))
        return on(skin, xcPanel) ? choice(K::Panel, true) : TSkinnerChoice{};
    if (keyword == QLatin1String("trackbar"))
        return button ? choice(K::TrackBar) : TSkinnerChoice{};
    if (keyword == QLatin1String("button") || keyword == QLatin1String("menubtn"))
        return button ? choice(K::Button) : TSkinnerChoice{};
    if (keyword == QLatin1String("bitbtn") || keyword == QLatin1String("pngbitbtn"))
        return button ? choice(K::BitButton) : TSkinnerChoice{};
    if (keyword == QLatin1String("speedbutton"))
        return on(skin, xcSpeedButton) ? choice(K::SpeedButton) : TSkinnerChoice{};
    if (keyword == QLatin1String("tab") || keyword == QLatin1String("advpagecontrol"))
        return on(skin, xcTab) && skin.Tabs() ? choice(K::Tab) : TSkinnerChoice{};
    if (keyword == QLatin1String("progress"))
        return on(skin, xcProgress) ? choice(K::Progress) : TSkinnerChoice{};
    if (keyword == QLatin1String("scrollbar") || keyword == QLatin1String("singlescrollbar") ||
        keyword == QLatin1String("embedscrollbar"))
        return scroll ? choice(K::ScrollView) : TSkinnerChoice{};
    if (keyword == QLatin1String("groupbox"))
        return on(skin, xcGroupBox) ? choice(K::GroupBox) : TSkinnerChoice{};
    if (keyword == QLatin1String("radiogroup") || keyword == QLatin1String("checkgroup")) {
        if (!on(skin, xcGroupBox))
            return {};
        TSkinnerChoice c = choice(K::GroupBox);
        c.itemKind = keyword == QLatin1String("radiogroup") ? K::RadioButton : K::CheckBox;
        return c;
    }
    decided = false;
    return {};
}

TSkinnerChoice fromClass(const TSkinData& skin, const QWidget* w) {
    auto gated = [&](TSkinControlType member, K kind, bool setColour = false) {
        return on(skin, member) ? choice(kind, setColour) : TSkinnerChoice{};
    };
    if (qobject_cast<const QTabWidget*>(w) || qobject_cast<const QTabBar*>(w))
        return on(skin, xcTab) && skin.Tabs() ? choice(K::Tab) : TSkinnerChoice{};
    if (qobject_cast<const QSlider*>(w))
        return gated(xcTrackBar, K::TrackBar);
    if (qobject_cast<const QAbstractSpinBox*>(w))
        return gated(xcSpin, K::UpDown);
    if (qobject_cast<const QRadioButton*>(w))
        return gated(xcRadioButton, K::RadioButton);
    if (qobject_cast<const QStatusBar*>(w) || qobject_cast<const QSizeGrip*>(w))
        return gated(xcStatusBar, K::StatusBar);
    if (qobject_cast<const QComboBox*>(w))
        return gated(xcCombo, K::ComboBox);
    if (qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w))
        return gated(xcEdit, K::Edit);
    if (const auto* b = qobject_cast<const QPushButton*>(w); b && !b->icon().isNull())
        return gated(xcBitBtn, K::BitButton);
    if (qobject_cast<const QToolButton*>(w))
        return gated(xcSpeedButton, K::SpeedButton);
    if (IsPanel(w))
        return gated(xcPanel, K::Panel, true);
    if (qobject_cast<const QHeaderView*>(w))
        return gated(xcScrollbar, K::Header);
    if (qobject_cast<const QAbstractItemView*>(w))
        return gated(xcScrollbar, K::ItemView);
    if (qobject_cast<const QAbstractScrollArea*>(w))
        return gated(xcScrollbar, K::ScrollView);
    if (qobject_cast<const QScrollBar*>(w))
        return gated(xcScrollbar, K::ScrollBar);
    if (qobject_cast<const QPushButton*>(w))
        return gated(xcButton, K::Button);
    if (qobject_cast<const QLineEdit*>(w))
        return gated(xcEdit, K::Edit);
    if (qobject_cast<const QCheckBox*>(w))
        return gated(xcCheckBox, K::CheckBox);
    if (qobject_cast<const QGroupBox*>(w))
        return gated(xcGroupBox, K::GroupBox);
    if (qobject_cast<const QProgressBar*>(w))
        return gated(xcProgress, K::Progress);
    return {};
}

} // namespace

QString Skin3rdKeyword(const TSkinData& skin, const QString& className) {
    const QString key = className.toLower() + QLatin1Char('=');
    for (const QString& line : skin.Skin3rd()) {
        if (line.toLower().startsWith(key))
            return line.mid(key.size(), 50).trimmed().toLower();
    }
    return {};
}

bool IsPanel(const QWidget* w) {
    if (!w || w->isWindow() || w->objectName().startsWith(QLatin1String("qt_")))
        return false;
    // The inner parts of scroll views (viewport, bar containers) are not panels.
    if (qobject_cast<const QAbstractScrollArea*>(w->parentWidget()))
        return false;
    const QString cls = QString::fromLatin1(w->metaObject()->className());
    if (cls == QLatin1String("QWidget") || cls == QLatin1String("QFrame"))
        return true;
    return w->inherits("QFrame") && cls.startsWith(QLatin1Char('T')) &&
           cls.endsWith(QLatin1String("Panel"));
}

TSkinnerChoice ChooseSkinner(QObject* sender, TSkinData& skin, QWidget* form, QWidget* control) {
    if (!control)
        return {};
    bool ok = false;
    const int tag = control->property("Tag").toInt(&ok);
    const QString cls = QString::fromLatin1(control->metaObject()->className());
    if (ok && tag == skin.DisableTag()) {
        // The items of a disabled group stay unskinned with it.
        const QString lower = cls.toLower();
        if (lower.contains(QLatin1String("radiogroup")) ||
            lower.contains(QLatin1String("checkgroup"))) {
            for (QWidget* item : control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                item->setProperty("Tag", tag);
        }
        return {};
    }
    if (skin.OnSkinControl) {
        QObject* made = nullptr;
        skin.OnSkinControl(sender, &skin, form, control, cls.toUpper(), made);
        if (auto* custom = qobject_cast<TSkinControl*>(made)) {
            TSkinnerChoice c = choice(custom->Kind(), custom->SetsColour());
            c.custom = custom;
            return c;
        }
    }
    const QString keyword = Skin3rdKeyword(skin, cls);
    if (!keyword.isEmpty()) {
        bool decided = false;
        TSkinnerChoice c = fromKeyword(skin, keyword, control, decided);
        if (decided)
            return c;
    }
    return fromClass(skin, control);
}

} // namespace orvik
