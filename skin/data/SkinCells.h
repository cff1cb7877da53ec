#pragma once

// The numbers a skin gives meaning to: which frame of an element's picture shows which state,
// and the codes of the caption buttons. The generator draws the frames in this order, the
// painters pick them by these names, the tools and tests read them back the same way. Frames
// count from 1.

namespace orvik {

// Pictures with an active and an inactive look (the four window borders, the caption text
// background, the menu bar).
namespace windowcell {
inline constexpr int Active = 1;
inline constexpr int Inactive = 2;
} // namespace windowcell

// Push buttons (the Buttons element, 5 frames side by side).
namespace buttoncell {
inline constexpr int Normal = 1;
inline constexpr int Pressed = 2;
inline constexpr int Disabled = 3;
inline constexpr int Hot = 4;
inline constexpr int Default = 5;
inline constexpr int Count = 5;
} // namespace buttoncell

// Caption buttons: normal, pressed, hot, and the look in an inactive window. A picture with
// fewer than 4 frames has no inactive look and shows Normal instead.
namespace captioncell {
inline constexpr int Normal = 1;
inline constexpr int Pressed = 2;
inline constexpr int Hot = 3;
inline constexpr int Inactive = 4;
// Child-window buttons in the menu bar are hot in their fourth frame.
inline constexpr int ChildHot = 4;
} // namespace captioncell

// The scroll bar strip (the Scrollbar element, 23 frames side by side): four arrows of four
// frames each (normal, pressed, then two more, hot at +3), then the thumb grips.
namespace scrollcell {
inline constexpr int Left = 1;
inline constexpr int Right = 5;
inline constexpr int Up = 9;
inline constexpr int Down = 13;
inline constexpr int ArrowPressed = 1; // added to an arrow's first frame
inline constexpr int ArrowDisabled = 2;
inline constexpr int ArrowHot = 3;
inline constexpr int GripHorz = 17;
inline constexpr int GripVert = 20;
inline constexpr int GripPressed = 1; // added to a grip's frame
inline constexpr int GripHot = 2;
inline constexpr int Count = 23;
} // namespace scrollcell

// Scroll bar tracks (HorzScroll, VertScroll: 4 frames) and thumbs (their own count).
namespace trackcell {
inline constexpr int Enabled = 1;
inline constexpr int Disabled = 3;
} // namespace trackcell
namespace thumbcell {
inline constexpr int Normal = 1;
inline constexpr int Pressed = 2;
inline constexpr int Hot = 3;
} // namespace thumbcell

// Menu items (the MenuItem element, 5 frames): the separator is cut from the second frame.
namespace menucell {
inline constexpr int Normal = 1;
inline constexpr int Separator = 2;
inline constexpr int Selected = 4;
} // namespace menucell

// Check boxes (the Buttons element's CheckImage). With four frames: unchecked, checked, and
// both again disabled; the grayed (partly checked) look is the fourth. With twelve: unchecked,
// checked and partly checked, each as normal, hot, pressed and disabled.
namespace checkcell {
inline constexpr int Unchecked = 1;
inline constexpr int Checked = 2;
inline constexpr int DisabledShift = 2; // added to Unchecked or Checked
inline constexpr int Grayed = 4;
inline constexpr int FullCount = 12;
inline constexpr int FullUnchecked = 1;
inline constexpr int FullChecked = 5;
inline constexpr int FullMixed = 9;
inline constexpr int FullHot = 1; // added within a group of four
inline constexpr int FullPressed = 2;
inline constexpr int FullDisabled = 3;
} // namespace checkcell

// Radio buttons (RadioImage): four frames as check boxes without the grayed look, or eight:
// unchecked and checked, each as normal, hot, pressed and disabled.
namespace radiocell {
inline constexpr int Unchecked = 1;
inline constexpr int Checked = 2;
inline constexpr int DisabledShift = 2;
inline constexpr int FullCount = 8;
inline constexpr int FullUnchecked = 1;
inline constexpr int FullChecked = 5;
inline constexpr int FullHot = 1;
inline constexpr int FullPressed = 2;
inline constexpr int FullDisabled = 3;
} // namespace radiocell

// Combo boxes (the ComboButton and SunkEdge strips, 4 frames); the drop-down arrows of the
// ExtraImages element follow the same order, and its fifth frame is the size grip.
namespace combocell {
inline constexpr int Normal = 1;
inline constexpr int Pressed = 2;
inline constexpr int Disabled = 3;
inline constexpr int Hot = 4; // also focused
inline constexpr int Count = 4;
} // namespace combocell
namespace extracell {
inline constexpr int SizeGrip = 5;
} // namespace extracell

// Tabs (5 frames): the current tab is the second; the others are ours.
namespace tabcell {
inline constexpr int Normal = 1;
inline constexpr int Selected = 2;
inline constexpr int Hot = 3;
inline constexpr int Disabled = 4;
inline constexpr int SelectedHot = 5;
inline constexpr int Count = 5;
} // namespace tabcell

// Column headers (Headerbar, 5 frames).
namespace headercell {
inline constexpr int Normal = 1;
inline constexpr int Hot = 2;
inline constexpr int Pressed = 3;
inline constexpr int Disabled = 4;
inline constexpr int Count = 5;
} // namespace headercell

// Track bar thumbs (the six Trackbar pictures, 5 frames): a thumb at rest is the second frame.
namespace slidercell {
inline constexpr int Normal = 2;
inline constexpr int Hot = 3;
inline constexpr int Pressed = 4;
inline constexpr int Disabled = 5;
inline constexpr int Count = 5;
} // namespace slidercell

// Status bar panels (StatusBarEdges, 3 frames) by bevel.
namespace statuscell {
inline constexpr int Lowered = 1;
inline constexpr int Raised = 2;
inline constexpr int Flat = 3;
} // namespace statuscell

// Up-down buttons (UpDown.Horz, UpDown.Vert and their glyph strips, 8 frames): the first button
// (up, or left) from 1, the second (down, or right) from 5, each normal, pressed, disabled, hot.
namespace updowncell {
inline constexpr int First = 1;
inline constexpr int Second = 5;
inline constexpr int Normal = 0; // added to First or Second
inline constexpr int Pressed = 1;
inline constexpr int Disabled = 2;
inline constexpr int Hot = 3;
inline constexpr int Count = 8;
} // namespace updowncell

// Group box outlines (GroupBoxEdge, 2 frames).
namespace groupcell {
inline constexpr int Enabled = 1;
inline constexpr int Disabled = 2;
} // namespace groupcell

// Progress bars (Progress): the trough, then the bar when the picture has two frames.
namespace progresscell {
inline constexpr int Trough = 1;
inline constexpr int Bar = 2;
} // namespace progresscell

// What a caption button does when clicked (TDataSkinSysButton::Action).
namespace action {
inline constexpr int Close = 0;
inline constexpr int Maximise = 1; // maximise, or restore a maximised window
inline constexpr int Minimise = 2;
inline constexpr int SystemMenu = 3; // shows the window icon
inline constexpr int ChildMinimise = 7;
inline constexpr int ChildRestore = 8;
inline constexpr int ChildClose = 9;
inline constexpr int SystemMenuIcon = 11; // shows the window icon
inline constexpr int SystemMenuPicture = 12;
inline constexpr int MaximiseAlt = 22;
inline constexpr int MinimiseAlt = 23;
inline constexpr int ChildMinimiseAlt = 60;
inline constexpr int ChildRestoreAlt = 61;
inline constexpr int ChildCloseAlt = 62;

constexpr bool IsMaximise(int a) {
    return a == Maximise || a == MaximiseAlt;
}
constexpr bool IsMinimise(int a) {
    return a == Minimise || a == MinimiseAlt;
}
constexpr bool IsSystemMenu(int a) {
    return a == SystemMenu || a == SystemMenuIcon || a == SystemMenuPicture;
}
// The system menu buttons that show the window's own icon instead of a picture.
constexpr bool ShowsIcon(int a) {
    return a == SystemMenu || a == SystemMenuIcon;
}
} // namespace action

// Where a caption button is placed (TDataSkinSysButton::Align).
namespace align {
inline constexpr int FromLeft = 0;         // x = Xcoord
inline constexpr int FromRight = 1;        // x = window width - Xcoord
inline constexpr int BeforeText = 2;       // ends Xcoord before the caption text
inline constexpr int AfterText = 3;        // starts Xcoord after the caption text
inline constexpr int BeforeTextAlt = 8;    // as BeforeText
inline constexpr int AfterTextAlt = 9;     // as AfterText
inline constexpr int ChildInMenuBar = 100; // buttons of a maximised child window

constexpr bool IsBeforeText(int a) {
    return a == BeforeText || a == BeforeTextAlt;
}
constexpr bool IsAfterText(int a) {
    return a == AfterText || a == AfterTextAlt;
}
} // namespace align

// When a caption button is shown (TDataSkinSysButton::Visibility and Visibility1).
namespace visibility {
inline constexpr int Always = 0;
inline constexpr int Maximised = 1;
inline constexpr int NotMaximised = 2;
inline constexpr int Active = 3;
inline constexpr int Inactive = 4;
inline constexpr int MaximiseBox = 6; // with the system menu for Visibility
inline constexpr int NoMaximiseBox = 7;
inline constexpr int MinimiseBox = 8; // with the system menu for Visibility
inline constexpr int NoMinimiseBox = 9;
inline constexpr int ChildMaximised = 100;
inline constexpr int DialogFrame = 200;
inline constexpr int AlwaysFirst = 201; // 201 to 999: always
inline constexpr int AlwaysLast = 999;
inline constexpr int AskFirst = 1000; // 1000 to 2000: the window answers
inline constexpr int AskLast = 2000;
} // namespace visibility

} // namespace orvik
