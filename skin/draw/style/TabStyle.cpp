#include "skin/draw/style/TabStyle.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinMessages.h"
#include "skin/draw/style/PartCells.h"
#include "skin/draw/style/SkinStyle.h"

#include <QApplication>

#include <QPainter>
#include <QPointer>
#include <QTabWidget>
#include <QTransform>
#include <algorithm>

namespace orvik::style {

namespace {

const QString CloseRelayName = QStringLiteral("orvik_tabclose");
constexpr int CloseMark = 6;

enum class TSide { Top, Bottom, Left, Right };

TSide sideOf(QTabBar::Shape shape) {
    switch (shape) {
    case QTabBar::RoundedSouth:
    case QTabBar::TriangularSouth:
        return TSide::Bottom;
    case QTabBar::RoundedWest:
    case QTabBar::TriangularWest:
        return TSide::Left;
    case QTabBar::RoundedEast:
    case QTabBar::TriangularEast:
        return TSide::Right;
    default:
        return TSide::Top;
    }
}

bool sideways(QTabBar::Shape shape) {
    const TSide s = sideOf(shape);
    return s == TSide::Left || s == TSide::Right;
}

// The page border picture and its margins: the tab border (margins 4, 5, 4, 4) for skins of
// style 0, Tab.Pane with its own margins for style 1.
bool pageBorder(const TSkinData& skin, QImage& picture, QMargins& margins) {
    const TDataSkinBorder* tabs = skin.Tabs();
    if (!tabs)
        return false;
    if (tabs->Style == 1) {
        const TDataSkinObject* pane = Usable(skin.TabPane());
        if (!pane)
            return false;
        picture = pane->Image.copy(pane->FrameRect(1));
        margins = pane->Margins();
        return true;
    }
    if (tabs->Image2.isNull())
        return false;
    picture = tabs->Image2;
    margins = QMargins(4, 5, 4, 4);
    return true;
}

QColor tabText(const TSkinData& skin, bool hot) {
    const TDataSkinBorder* tabs = skin.Tabs();
    if (!tabs)
        return ToQColor(skin.ButtonTextColor());
    return ToQColor(hot ? tabs->MouseOverColour2 : tabs->NormalColour2);
}

void drawTabShape(const TStyleCall& call, const QStyleOptionTab& tab, const TDataSkinBorder& e) {
    const bool turned = sideways(tab.shape);
    const QSize size = turned ? tab.rect.size().transposed() : tab.rect.size();
    if (size.isEmpty())
        return;
    // Composed as a top tab on the face colour, then laid out for its side.
    QImage face(size, QImage::Format_ARGB32_Premultiplied);
    face.fill(ToQColor(call.skin.ButtonFaceColor()));
    {
        QPainter p(&face);
        DrawElementCell(p, e, TabCell(PartStateOf(&tab)), face.rect(),
                        e.Tile ? TCentreFill::Tile : TCentreFill::Stretch);
    }
    call.painter->drawImage(tab.rect.topLeft(), TurnForTabSide(face, tab.shape));
}

void drawCloseMark(const TStyleCall& call) {
    const QRect r = call.option->rect;
    const QRect box(r.left() + (r.width() - CloseMark) / 2, r.top() + (r.height() - CloseMark) / 2,
                    CloseMark, CloseMark);
    const TPartState s = PartStateOf(call.option);
    QPainter& p = *call.painter;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(s.enabled ? tabText(call.skin, s.hot) : ToQColor(call.skin.ButtonShadowColor()));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.drawLine(box.left() + 1, box.top() + 1, box.right() - 1, box.bottom() - 1);
    p.drawLine(box.right() - 1, box.top() + 1, box.left() + 1, box.bottom() - 1);
    p.restore();
}

// Offers a close mark's click to the window, and frees the page when the window leaves it.
class TTabCloseRelay : public QObject {
public:
    explicit TTabCloseRelay(QTabBar* bar) : QObject(bar), bar_(bar) {
        setObjectName(CloseRelayName);
        connect(bar, &QTabBar::tabCloseRequested, this, &TTabCloseRelay::closeRequested);
    }

private:
    void closeRequested(int index) {
        if (!bar_)
            return;
        auto* pages = qobject_cast<QTabWidget*>(bar_->parentWidget());
        QWidget* control = pages ? static_cast<QWidget*>(pages) : bar_.data();
        TSkinMessage ask(SKM_TABCLOSE, qintptr(control), index);
        QApplication::sendEvent(control->window(), &ask);
        if (ask.result != 0)
            return;
        if (pages) {
            QWidget* page = pages->widget(index);
            pages->removeTab(index);
            if (page)
                page->deleteLater();
        } else {
            bar_->removeTab(index);
        }
    }

    QPointer<QTabBar> bar_;
};

} // namespace

QImage TurnForTabSide(const QImage& picture, QTabBar::Shape shape) {
    switch (sideOf(shape)) {
    case TSide::Bottom:
        return picture.mirrored(false, true);
    case TSide::Left:
        return picture.transformed(QTransform().rotate(-90));
    case TSide::Right:
        return picture.transformed(QTransform().rotate(90));
    case TSide::Top:
        break;
    }
    return picture;
}

QMargins TurnMarginsForTabSide(const QMargins& m, QTabBar::Shape shape) {
    switch (sideOf(shape)) {
    case TSide::Bottom:
        return {m.left(), m.bottom(), m.right(), m.top()};
    case TSide::Left: // the top edge faces left
        return {m.top(), m.right(), m.bottom(), m.left()};
    case TSide::Right: // the top edge faces right
        return {m.bottom(), m.left(), m.top(), m.right()};
    case TSide::Top:
        break;
    }
    return m;
}

bool DrawTabPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call) {
    if (!call.painter || !call.option || !Usable(call.skin.Tabs()))
        return false;
    switch (pe) {
    case QStyle::PE_FrameTabWidget: {
        QImage picture;
        QMargins margins;
        if (!pageBorder(call.skin, picture, margins))
            return false;
        const auto* f = call.as<QStyleOptionTabWidgetFrame>();
        const QTabBar::Shape shape = f ? f->shape : QTabBar::RoundedNorth;
        call.painter->fillRect(call.option->rect, ToQColor(call.skin.ButtonFaceColor()));
        const QImage turned = TurnForTabSide(picture, shape);
        DrawNineSlice(*call.painter, turned, turned.rect(), call.option->rect,
                      TurnMarginsForTabSide(margins, shape), TCentreFill::Stretch, false);
        return true;
    }
    case QStyle::PE_FrameTabBarBase:
        // The page border carries the line under the tabs.
        return true;
    case QStyle::PE_IndicatorTabClose:
        drawCloseMark(call);
        return true;
    default:
        return false;
    }
}

bool DrawTabControl(QStyle::ControlElement ce, const TStyleCall& call) {
    const auto* tab = call.as<QStyleOptionTab>();
    const TDataSkinBorder* tabs = call.skin.Tabs();
    if (!tab || !call.painter || !Usable(tabs))
        return false;
    switch (ce) {
    case QStyle::CE_TabBarTabShape:
        drawTabShape(call, *tab, *tabs);
        return true;
    case QStyle::CE_TabBarTabLabel: {
        QStyleOptionTab label(*tab);
        const TPartState s = PartStateOf(tab);
        label.palette = WithTextColour(tab->palette, tabText(call.skin, s.hot),
                                       ToQColor(call.skin.ButtonShadowColor()));
        call.style.FusionControl(ce, &label, call.painter, call.widget);
        return true;
    }
    default:
        return false;
    }
}

bool TabContentsSize(QStyle::ContentsType ct, const TStyleCall& call, const QSize& contents,
                     QSize& out) {
    const auto* tab = call.as<QStyleOptionTab>();
    const TDataSkinObject* tabs = Usable(call.skin.Tabs());
    if (ct != QStyle::CT_TabBarTab || !tab || !tabs)
        return false;
    out = call.style.FusionContentsSize(ct, call.option, contents, call.widget);
    // A tab is never thinner than the skin's tab picture, nor shorter than its two ends.
    const QSize cell = tabs->FrameSize();
    const int along = cell.width() > 0 ? tabs->LeftWidth + tabs->RightWidth : 0;
    if (sideways(tab->shape))
        out = out.expandedTo(QSize(cell.height(), along));
    else
        out = out.expandedTo(QSize(along, cell.height()));
    return true;
}

bool TabMetric(QStyle::PixelMetric pm, const TStyleCall& call, int& out) {
    const TDataSkinObject* tabs = Usable(call.skin.Tabs());
    if (pm != QStyle::PM_TabBarTabHSpace || !tabs)
        return false;
    // The room beside a caption is about one end of the picture on each side, not the system's
    // wide padding: the ends are mostly air around a thin edge, and the program's page controls
    // are narrow and must keep all their tabs in view.
    out = std::max({tabs->LeftWidth, tabs->RightWidth, 2}) + 2;
    return true;
}

void PolishTabs(TSkinStyle&, QWidget* widget) {
    auto* bar = qobject_cast<QTabBar*>(widget);
    if (!bar)
        return;
    bar->setAttribute(Qt::WA_Hover, true);
    if (!bar->findChild<QObject*>(CloseRelayName, Qt::FindDirectChildrenOnly))
        new TTabCloseRelay(bar);
}

void UnpolishTabs(TSkinStyle&, QWidget* widget) {
    auto* bar = qobject_cast<QTabBar*>(widget);
    if (!bar)
        return;
    delete bar->findChild<QObject*>(CloseRelayName, Qt::FindDirectChildrenOnly);
}

} // namespace orvik::style
