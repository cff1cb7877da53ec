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
