#include "tools/orvik-skingen/SkinParams.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <initializer_list>
#include <utility>

namespace skingen {

namespace {

// A parameter file is a few hundred bytes; anything much larger is not one.
constexpr qint64 MaxParamsSize = 64 * 1024;

bool readColour(const QJsonObject& obj, const QString& key, bool required, QColor& out,
                QString& error) {
    if (!obj.contains(key)) {
        if (required)
            error = QStringLiteral("missing colour \"%1\"").arg(key);
        return !required;
    }
    const QString text = obj.value(key).toString();
    static const QRegularExpression hex(QStringLiteral("^#[0-9a-fA-F]{6}$"));
    if (!hex.match(text).hasMatch()) {
        error = QStringLiteral("\"%1\" must be a colour written as #rrggbb").arg(key);
        return false;
    }
    out = QColor(text);
    // Magenta is the transparent colour of every picture; a skin cannot use it as a colour.
    if (out == QColor(255, 0, 255)) {
        error = QStringLiteral("\"%1\" is magenta, the transparent colour").arg(key);
        return false;
    }
    return true;
}

bool readNumber(const QJsonObject& obj, const QString& key, double low, double high, bool integral,
                double& out, QString& error) {
    if (!obj.contains(key))
        return true;
    const QJsonValue v = obj.value(key);
    if (!v.isDouble() || v.toDouble() < low || v.toDouble() > high ||
        (integral && v.toDouble() != double(qint64(v.toDouble())))) {
        error =
            QStringLiteral("\"%1\" must be %2 from %3 to %4")
                .arg(key, integral ? QStringLiteral("a whole number") : QStringLiteral("a number"))
                .arg(low)
                .arg(high);
        return false;
    }
    out = v.toDouble();
    return true;
}

// A key that takes one of a few words; absent leaves out unchanged.
template <typename Enum>
bool readChoice(const QJsonObject& obj, const QString& key,
                std::initializer_list<std::pair<const char*, Enum>> choices, Enum& out,
                QString& error) {
    if (!obj.contains(key))
        return true;
    const QString text = obj.value(key).toString();
    QStringList words;
    for (const auto& [word, value] : choices) {
        if (text == QLatin1String(word)) {
            out = value;
            return true;
        }
        words << QStringLiteral("\"%1\"").arg(QLatin1String(word));
    }
    error = QStringLiteral("\"%1\" must be one of %2").arg(key, words.join(QStringLiteral(", ")));
    return false;
}

} // namespace

bool parseSkinParams(const QByteArray& json, const QString& path, SkinParams& params,
                     QString& error) {
    auto fail = [&](const QString& what) {
        error = QStringLiteral("%1: %2").arg(path, what);
        return false;
    };
    if (json.size() > MaxParamsSize)
        return fail(QStringLiteral("file is too large for a parameter set"));
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull())
        return fail(parseError.errorString());
    if (!doc.isObject())
        return fail(QStringLiteral("expected a JSON object"));
    const QJsonObject obj = doc.object();

    static const QSet<QString> known = {
        QStringLiteral("name"),          QStringLiteral("face"),
        QStringLiteral("accent"),        QStringLiteral("text"),
        QStringLiteral("title"),         QStringLiteral("field"),
        QStringLiteral("corner"),        QStringLiteral("bevel"),
        QStringLiteral("gloss"),         QStringLiteral("titleHeight"),
        QStringLiteral("titleLine"),     QStringLiteral("border"),
        QStringLiteral("bottomCorner"),  QStringLiteral("captionAlign"),
        QStringLiteral("captionButtons")};
    for (const QString& key : obj.keys())
        if (!known.contains(key))
            return fail(QStringLiteral("unknown key \"%1\"").arg(key));

    SkinParams p;
    p.name = obj.value(QStringLiteral("name")).toString();
    static const QRegularExpression nameRule(QStringLiteral("^[A-Za-z][A-Za-z0-9_-]{0,31}$"));
    if (!nameRule.match(p.name).hasMatch())
        return fail(QStringLiteral("\"name\" must be 1 to 32 letters, digits, _ or -, "
                                   "starting with a letter"));

    QString what;
    if (!readColour(obj, QStringLiteral("face"), true, p.face, what) ||
        !readColour(obj, QStringLiteral("accent"), true, p.accent, what) ||
        !readColour(obj, QStringLiteral("text"), true, p.text, what))
        return fail(what);
    p.title = p.accent;
    p.field = p.face;
    if (!readColour(obj, QStringLiteral("title"), false, p.title, what) ||
        !readColour(obj, QStringLiteral("field"), false, p.field, what))
        return fail(what);

    double corner = p.corner, bevel = p.bevel, gloss = p.gloss, titleHeight = p.titleHeight,
           titleLine = p.titleLine, border = p.border, bottomCorner = p.bottomCorner;
    if (!readNumber(obj, QStringLiteral("corner"), 0, 12, true, corner, what) ||
        !readNumber(obj, QStringLiteral("bevel"), 0, 3, true, bevel, what) ||
        !readNumber(obj, QStringLiteral("gloss"), 0, 1, false, gloss, what) ||
        !readNumber(obj, QStringLiteral("titleHeight"), 20, 40, true, titleHeight, what) ||
        !readNumber(obj, QStringLiteral("titleLine"), 0, 3, true, titleLine, what) ||
        !readNumber(obj, QStringLiteral("border"), 2, 10, true, border, what) ||
        !readNumber(obj, QStringLiteral("bottomCorner"), 0, 12, true, bottomCorner, what))
        return fail(what);
    // A wider curve would cut into the corner of the client area.
    if (bottomCorner > 3 * border)
        return fail(QStringLiteral("\"bottomCorner\" must be at most three times \"border\""));
    using Align = SkinParams::CaptionAlign;
    using Buttons = SkinParams::CaptionButtons;
    if (!readChoice(obj, QStringLiteral("captionAlign"),
                    {{"left", Align::Left}, {"centre", Align::Centre}}, p.captionAlign, what) ||
        !readChoice(obj, QStringLiteral("captionButtons"),
                    {{"edges", Buttons::Edges}, {"around", Buttons::Around}}, p.captionButtons,
                    what))
        return fail(what);
    p.corner = int(corner);
    p.bevel = int(bevel);
    p.gloss = gloss;
    p.titleHeight = int(titleHeight);
    p.titleLine = int(titleLine);
    p.border = int(border);
    p.bottomCorner = int(bottomCorner);
    params = p;
    return true;
}

bool loadSkinParams(const QString& path, SkinParams& params, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > MaxParamsSize) {
        error = QStringLiteral("%1: file is too large for a parameter set").arg(path);
        return false;
    }
    return parseSkinParams(file.readAll(), path, params, error);
}

} // namespace skingen
