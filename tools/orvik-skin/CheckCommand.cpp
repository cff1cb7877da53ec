// orvik-skin check IN.skn: loads a skin the way the program does and reports every element,
// present or absent, with its frames and size, and every problem found: pictures the
// definition names that the package lacks or cannot decode, pictures refused as too large,
// frame counts that do not divide their picture, entries that are not BMP pictures. Exit code
// 1 when there is a problem.

#include "tools/orvik-skin/Command.h"

#include "skin/data/QuickIni.h"
#include "skin/data/SkinBuilder.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPictures.h"
#include "skin/data/SkinReader.h"

#include <QFileInfo>
#include <QSet>

namespace {

struct Report {
    QStringList problems;
    void problem(const QString& text) { problems << text; }
};

// The keys of the definition that name pictures, as (section, key) pairs.
QList<QPair<QString, QString>> pictureKeys(const TQuickIni& ini) {
    QList<QPair<QString, QString>> keys;
    const QString personality = QStringLiteral("Personality");
    for (const char* key : {"Left", "Right", "Top", "Bottom", "menuBar", "TextBack"})
        keys.append({personality, QString::fromLatin1(key)});
    for (const char* key : {"Bitmap", "CheckButton", "RadioButton"})
        keys.append({QStringLiteral("Buttons"), QString::fromLatin1(key)});
    keys.append({QStringLiteral("MDICONTROLS"), QStringLiteral("Image")});
    for (const QString& section : ini.ReadSections()) {
        if (TSkinBuilder::IsCaptionButtonSection(ini, section))
            keys.append({section, QStringLiteral("ButtonImage")});
    }
    for (int p = 0; p < SkinPartCount; ++p) {
        const SkinPartInfo& info = PartInfo(SkinPart(p));
        if (info.source != SkinPartSource::Section)
            continue;
        const QString section = QString::fromLatin1(info.name);
        keys.append({section, QString::fromLatin1(info.imageKey)});
        if (info.secondKey && QLatin1String(info.secondKey) != QLatin1String("****"))
            keys.append({section, QString::fromLatin1(info.secondKey)});
    }
    return keys;
}

void checkNamedPictures(const TQuickIni& ini, const TSkinReader& reader, TSkinPictures& pictures,
                        Report& report) {
    for (const auto& [section, key] : pictureKeys(ini)) {
        const QString value = ini.ReadString(section, key, QString());
        if (value.isEmpty())
            continue;
        const QString where = QStringLiteral("[%1] %2=%3").arg(section, key, value);
        const QString entry = TSkinReader::ImageEntryName(value);
        if (entry.isEmpty())
            report.problem(where + QStringLiteral(": only .bmp pictures are loaded"));
        else if (reader.GetEntry(entry).isEmpty())
            report.problem(where + QStringLiteral(": the package has no entry ") + entry);
        else if (pictures.Picture(value).isNull() && !pictures.IsRefused(value))
            report.problem(where + QStringLiteral(": the entry is not a readable BMP picture"));
    }
}

void checkEntries(const TSkinReader& reader, const QString& definitionName, TSkinPictures& pictures,
                  Report& report) {
    QSet<QString> seen;
    for (int k = 0; k < reader.EntryCount(); ++k) {
        const QString& name = reader.EntryNames()[k];
        if (seen.contains(name))
            report.problem(
                QStringLiteral("entry %1 occurs twice; only the first is read").arg(name));
        seen.insert(name);
        if (name == definitionName)
            continue;
        const QByteArray data = reader.EntryData().mid(reader.EntryOffset(k), reader.EntrySize(k));
        // Decoded through the load's budget: a package cannot make the check decode more than
        // the program would.
        if (!name.endsWith(QLatin1String(".bmp")) || !data.startsWith("BM") ||
            (pictures.Picture(name).isNull() && !pictures.IsRefused(name)))
            report.problem(QStringLiteral("entry %1 is not a BMP picture").arg(name));
    }
}

void checkFrames(const QString& what, const QImage& image, int frames, bool stacked,
                 Report& report) {
    if (image.isNull())
        return;
    const int length = stacked ? image.height() : image.width();
    if (frames <= 0)
        report.problem(
            QStringLiteral("%1: frame count %2 does not describe any frame").arg(what).arg(frames));
    else if (length % frames != 0)
        report.problem(QStringLiteral("%1: %2 pixels %3 do not divide into %4 frames")
                           .arg(what)
                           .arg(length)
                           .arg(stacked ? QStringLiteral("high") : QStringLiteral("wide"))
                           .arg(frames));
}

QString sizeText(const QImage& image) {
    return image.isNull() ? QStringLiteral("no picture")
                          : QStringLiteral("%1 x %2").arg(image.width()).arg(image.height());
}

void element(const QString& label, const TDataSkinObject* e, bool checked, Report& report) {
    if (!e) {
        out() << QStringLiteral("  %1 absent\n").arg(label, -24);
        return;
    }
    out() << QStringLiteral("  %1 present, %2 frame(s), %3\n")
                 .arg(label, -24)
                 .arg(e->FrameCount)
                 .arg(sizeText(e->Image));
    if (checked)
        checkFrames(label, e->Image, e->FrameCount, e->Stacked(), report);
}

void listElements(const TSkinData& skin, Report& report) {
    out() << "elements:\n";
    for (const TDataSkinObject* border : {static_cast<const TDataSkinObject*>(skin.Left()),
                                          static_cast<const TDataSkinObject*>(skin.Right()),
                                          static_cast<const TDataSkinObject*>(skin.Top()),
                                          static_cast<const TDataSkinObject*>(skin.Bottom())})
        element(border->Name, border, true, report);
    element(QStringLiteral("Title"), skin.Title(), true, report);
    const TDataSkinButton& buttons = *skin.Buttons();
    element(QStringLiteral("Buttons"), &buttons, true, report);
    out() << QStringLiteral("  %1 %2 frame(s), %3\n")
                 .arg(QStringLiteral("Buttons check box"), -24)
                 .arg(buttons.CheckFrames)
                 .arg(sizeText(buttons.CheckImage));
    checkFrames(QStringLiteral("Buttons check box"), buttons.CheckImage, buttons.CheckFrames, false,
                report);
    out() << QStringLiteral("  %1 %2 frame(s), %3\n")
                 .arg(QStringLiteral("Buttons radio"), -24)
                 .arg(buttons.RadioFrames)
                 .arg(sizeText(buttons.RadioImage));
    checkFrames(QStringLiteral("Buttons radio"), buttons.RadioImage, buttons.RadioFrames, false,
                report);
    for (const TDataSkinSysButton* b : skin.SysButtons())
        element(QStringLiteral("caption %1").arg(b->Name), b, true, report);
    for (int p = 0; p < SkinPartCount; ++p) {
        const SkinPart part = SkinPart(p);
        // Progress.Chunk is drawn whole: it has no frames to check.
        element(QString::fromLatin1(PartInfo(part).name), skin.Element(part),
                part != SkinPart::ProgressChunk, report);
    }
}

int runCheck(const QStringList& args) {
    if (args.size() != 1)
        throw UsageError();
    const QString path = args[0];
    if (!QFileInfo(path).isFile())
        throw CommandError(QStringLiteral("%1 is not a file").arg(path));
    Report report;

    TSkinReader reader;
    if (!reader.LoadPackage(readWholeFile(path)))
        throw CommandError(QStringLiteral("%1: %2").arg(path, reader.ErrorText()));
    QByteArray definition;
    QString definitionName;
    if (!reader.FindEntry(QStringLiteral(".ini"), definition, definitionName))
        report.problem(QStringLiteral("the package has no definition (.ini entry)"));
    TQuickIni ini;
    ini.LoadFromText(definition);

    TSkinData skin;
    QStringList loadErrors;
    skin.SetErrorHook([&](const QString& text) { loadErrors << text; });
    skin.SetSkinFile(path);
    for (const QString& text : loadErrors)
        report.problem(text);
    if (skin.Loading())
        report.problem(QStringLiteral("the skin did not load"));

    out() << path << ": " << reader.EntryCount() << " entries, definition "
          << (definitionName.isEmpty() ? QStringLiteral("(none)") : definitionName)
          << ", skin name \"" << skin.SkinName() << "\"\n";
    TSkinPictures pictures(reader);
    checkEntries(reader, definitionName, pictures, report);
    checkNamedPictures(ini, reader, pictures, report);
    for (const QStringList& refusals : {pictures.Refusals(), skin.RefusedPictures()})
        for (const QString& text : refusals)
            if (!report.problems.contains(text))
                report.problem(text);
    listElements(skin, report);

    if (report.problems.isEmpty()) {
        out() << "no problems\n";
        return 0;
    }
    out() << report.problems.size() << " problem(s):\n";
    for (const QString& text : report.problems)
        out() << "  " << text << "\n";
    return 1;
}

const RegisterCommand reg{"check", "check IN.skn",
                          "load a skin and report its elements and every problem found", &runCheck,
                          true};

} // namespace
