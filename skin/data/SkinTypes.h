#pragma once

#include <QtGlobal>

#include <initializer_list>

// Kinds of window parts and controls a skin data component may skin, in their stored order.
enum TSkinControlType {
    xcMainMenu,
    xcPopupMenu,
    xcMenuItem,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcSpin,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcTrackBar,
    xcSystemMenu,
    xcFastReport,
};

enum TSkinOption {
    xoMDIScrollbar,
    xoMenuMerge,
    xoTransparent,
    xoPreview,
    xoParentBackGround,
    xoNoFocusRect,
    xoToolbarBK,
    xoMDIChildBorder,
};

// Which windows a skin data component serves: every window of the program, only its owner,
// standard dialogs and message boxes, or its owner inside a plug-in.
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// A set of enumeration members stored as bits (bit n = member n), as the form stores it.
template <typename E, int Count> class TEnumSet {
    static_assert(Count <= 32);

public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> members) {
        for (E m : members)
            bits_ |= bit(m);
    }
    static constexpr TEnumSet fromBits(quint32 bits) {
        TEnumSet s;
        s.bits_ = bits & allBits();
        return s;
    }
    static constexpr TEnumSet all() { return fromBits(allBits()); }

    constexpr bool contains(E m) const { return (bits_ & bit(m)) != 0; }
    constexpr void insert(E m) { bits_ |= bit(m); }
    constexpr void remove(E m) { bits_ &= ~bit(m); }
    constexpr quint32 toBits() const { return bits_; }
    constexpr bool operator==(const TEnumSet&) const = default;

private:
    static constexpr quint32 bit(E m) { return quint32(1) << int(m); }
    static constexpr quint32 allBits() { return Count == 32 ? ~0u : (quint32(1) << Count) - 1; }
    quint32 bits_ = 0;
};

using TSkinControls = TEnumSet<TSkinControlType, xcFastReport + 1>;
using TSkinOptions = TEnumSet<TSkinOption, xoMDIChildBorder + 1>;
