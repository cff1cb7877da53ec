#pragma once

#include "tools/orvik-skingen/Look.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QMargins>
#include <QPair>
#include <QString>
#include <QStringList>

#include <deque>

// Everything a skin is made of while the generator builds it: the pictures, the sections of
// the definition, and the surfaces each kind of text will be drawn on (so text colours can be
// chosen to stay readable on them).
namespace skingen {

struct Picture {
    QString file;
    QImage image; // 24-bit colours, magenta where see-through
};

class Section {
public:
    explicit Section(QString name = {}) : m_name(std::move(name)) {}
    const QString& name() const { return m_name; }
    const QList<QPair<QString, QString>>& keys() const { return m_keys; }
    QString value(const QString& key) const;

    void set(const QString& key, const QString& value);
    void set(const QString& key, int value) { set(key, QString::number(value)); }
    // Colours are written as three decimal numbers, red green blue.
    void setColour(const QString& key, const QColor& c);
    void setMargins(const QMargins& m); // LeftWidth, TopHeight, RightWidth, BottomHeight

private:
    QString m_name;
    QList<QPair<QString, QString>> m_keys;
};

// Roles of text drawn on the skin's pictures.
namespace ground {
inline constexpr char Button[] = "button";
inline constexpr char ButtonHot[] = "button.hot";
inline constexpr char ButtonPressed[] = "button.pressed";
inline constexpr char Face[] = "face";
inline constexpr char TitleActive[] = "title.active";
inline constexpr char TitleInactive[] = "title.inactive";
inline constexpr char Menu[] = "menu";
inline constexpr char MenuSelected[] = "menu.selected";
inline constexpr char MenuBar[] = "menubar";
inline constexpr char Tab[] = "tab";
inline constexpr char Header[] = "header";
inline constexpr char HeaderHot[] = "header.hot";
inline constexpr char HeaderPressed[] = "header.pressed";
inline constexpr char Status[] = "status";
inline constexpr char GroupLabel[] = "grouplabel";
} // namespace ground

class SkinBuild {
public:
    explicit SkinBuild(const Look& look) : m_look(look) {}
    const Look& look() const { return m_look; }

    // Adds a picture and returns its file name for the definition.
    QString addPicture(const QString& file, const QImage& image);
    // The section of that name, added at the end when it is new. The reference stays valid.
    Section& section(const QString& name);
    // Records the colours of area (magenta excluded) as a surface text of role sits on.
    void addGround(const char* role, const QImage& image, const QRect& area);
    void addGround(const char* role, const QColor& colour);
    QList<QColor> grounds(const char* role) const {
        return m_grounds.value(QString::fromLatin1(role));
    }

    // Rules the skin could not keep (a text colour that cannot be made readable); a skin with
    // problems is not written.
    void problem(const QString& text) { m_problems.append(text); }
    const QStringList& problems() const { return m_problems; }

    const QList<Picture>& pictures() const { return m_pictures; }
    const std::deque<Section>& sections() const { return m_sections; }

private:
    Look m_look;
    QList<Picture> m_pictures;
    std::deque<Section> m_sections; // references stay valid while sections are added
    QHash<QString, QList<QColor>> m_grounds;
    QStringList m_problems;
};

// Frame n (1-based) of a strip of count frames, side by side or stacked.
QRect frameRect(const QImage& strip, int count, int n,
                Qt::Orientation orientation = Qt::Horizontal);

// The parts of a skin, each adding its pictures and sections.
void buildWindowFrame(SkinBuild& skin);
void buildPushButtons(SkinBuild& skin);
void buildSmallControls(SkinBuild& skin);
void buildPanels(SkinBuild& skin);
void buildScrollBars(SkinBuild& skin);
void buildMenus(SkinBuild& skin);
// The palette, the colour table and every text colour, chosen after all pictures exist.
void buildColours(SkinBuild& skin);

} // namespace skingen
