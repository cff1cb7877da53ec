#pragma once

// Builders for skin packages in tests and benchmarks: pictures, definitions and packed
// containers, plus a skin manager that records what a skin data component asks of it.

#include "skin/data/SkinManagerLink.h"
#include "skin/data/SkinReaderPackage.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPainter>
#include <QString>
#include <QStringList>

namespace skintest {

inline QByteArray bmpBytes(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return data;
}

inline QImage solid(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A strip of frames side by side, frame k (from 1) filled with colours[k - 1].
inline QImage strip(int frameWidth, int height, const QList<QColor>& colours) {
    QImage image(frameWidth * int(colours.size()), height, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int k = 0; k < colours.size(); ++k)
        painter.fillRect(k * frameWidth, 0, frameWidth, height, colours[k]);
    return image;
}

// A package: the definition (CR LF added to every line) and the pictures by entry name.
struct PackageRecipe {
    QStringList definition;
    QList<QPair<QString, QImage>> pictures;
    QString definitionName = QStringLiteral("Test.ini");

    QByteArray container() const {
        QList<TSkinPackageEntry> entries;
        entries.append({definitionName, definition.join(QStringLiteral("\r\n")).toLatin1()});
        for (const auto& [name, image] : pictures)
            entries.append({name, bmpBytes(image)});
        return orvik::PackSkinPackage(entries);
    }
};

// Everything a skin data component asks of the manager, one line per call.
class RecordingSkinManager : public ISkinManager {
public:
    QStringList calls;
    QList<TSkinData*> skinDatas;
    bool started = false;

    void AddSkinData(TSkinData* sd) override {
        skinDatas.append(sd);
        calls << QStringLiteral("AddSkinData");
    }
    void RemoveSkinData(TSkinData* sd) override {
        skinDatas.removeAll(sd);
        calls << QStringLiteral("RemoveSkinData");
    }
    void InstallHook() override { calls << QStringLiteral("InstallHook"); }
    void SetCurrentSkinData(TSkinData*) override { calls << QStringLiteral("SetCurrent"); }
    void PostCommand(int command, int intervalMs) override {
        calls << QStringLiteral("PostCommand %1 %2").arg(command).arg(intervalMs);
    }
    void MarkStarted() override {
        started = true;
        calls << QStringLiteral("MarkStarted");
    }
    bool IsStarted() const override { return started; }
    void EnableSkinning() override { calls << QStringLiteral("EnableSkinning"); }
    void SkinForm(QObject* owner) override {
        calls << QStringLiteral("SkinForm %1").arg(owner ? owner->objectName() : QString());
    }
    void RefreshForms() override { calls << QStringLiteral("RefreshForms"); }

    QStringList commands() const { return calls.filter(QStringLiteral("PostCommand")); }
};

} // namespace skintest

#include "skin/data/SkinData.h"
#include "skin/data/SkinReader.h"

namespace skintest {

// Loads a package into a component the way a stored form does.
inline bool loadInto(TSkinData& skin, const QByteArray& container) {
    QByteArray stored = TSkinReader::WriteSkinStream(container);
    QBuffer buffer(&stored);
    buffer.open(QIODevice::ReadOnly);
    return skin.ReadSkinStream(buffer);
}

inline bool loadInto(TSkinData& skin, const PackageRecipe& recipe) {
    return loadInto(skin, recipe.container());
}

} // namespace skintest
