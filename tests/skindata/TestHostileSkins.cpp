// Crafted packages that try to make a skin load cost gigabytes or minutes: each must end in
// bounded time and memory, measured here by the test program itself, with the right outcome.

#include "skin/data/QuickIni.h"
#include "skin/data/SkinBuilder.h"
#include "skin/data/SkinPictures.h"
#include "tests/common/ResourceMeter.h"
#include "tests/skindata/HostileSkins.h"
#include "tests/skindata/SkinTestKit.h"
#include "tests/skindata/TestClasses.h"

#include <QTest>

using namespace skintest;

namespace {

// Generous: a sanitizer build on a loaded machine; the faults these guard cost minutes and
// gigabytes.
constexpr qint64 TimeLimitMs = 20'000;
constexpr qint64 MemoryLimitMiB = 150;

struct Outcome {
    bool loaded;
    QStringList errors;
    qint64 ms;
    qint64 mib;
};

Outcome load(TSkinData& skin, const QByteArray& container) {
    QStringList errors;
    skin.SetErrorHook([&](const QString& e) { errors << e; });
    ResourceMeter meter;
    const bool loaded = loadInto(skin, container);
    Outcome o{loaded, errors, meter.elapsedMs(), meter.peakAboveStartMiB()};
    skin.SetErrorHook({});
    qInfo("%lld ms, %lld MiB above the start", o.ms, o.mib);
    return o;
}

#define QVERIFY_BOUNDED(o)                                                                         \
    do {                                                                                           \
        QVERIFY2((o).ms < TimeLimitMs, qPrintable(QString::number((o).ms) + " ms"));               \
        QVERIFY2((o).mib < MemoryLimitMiB, qPrintable(QString::number((o).mib) + " MiB"));         \
    } while (false)

PackageRecipe ordinarySkin() {
    PackageRecipe recipe;
    recipe.definition =
        QStringList{"[TitlebarSkin]", "SkinName=Ordinary", "[Personality]", "Left=left.bmp"};
    recipe.pictures = {{"left.bmp", solid(8, 40, Qt::red)}};
    return recipe;
}

} // namespace

void TestHostileSkins::amplifierIsRefusedFromItsHeader() {
    const QByteArray container = hostile::amplifier();
    QVERIFY2(container.size() < 1500, qPrintable(QString::number(container.size())));
    TSkinData skin;
    const Outcome o = load(skin, container);
    QVERIFY_BOUNDED(o);
    // The skin loads without the picture, and the refusal is on record once.
    QVERIFY(o.loaded);
    QCOMPARE(skin.SkinName(), QStringLiteral("Hostile"));
    QCOMPARE(skin.SysButtons().size(), 33);
    for (const TDataSkinSysButton* button : skin.SysButtons())
        QVERIFY(button->Image.isNull());
    QCOMPARE(skin.RefusedPictures().size(), 1);
    QVERIFY2(skin.RefusedPictures()[0].contains("big.bmp") &&
                 skin.RefusedPictures()[0].contains("5792 x 5792"),
             qPrintable(skin.RefusedPictures()[0]));
}

void TestHostileSkins::onePictureIsDecodedOnce() {
    PackageRecipe recipe;
    for (int i = 0; i < 30; ++i)
        recipe.definition
            << QStringLiteral("[Button%1]").arg(i) << "Action=30"
            << QStringLiteral("ButtonImage=%1").arg(i % 2 ? "Skin\\PIC.bmp" : "pic.bmp");
    recipe.pictures = {{"pic.bmp", solid(120, 21, Qt::blue)}};
    TSkinData skin;
    QVERIFY(loadInto(skin, recipe));
    const QImage& first = skin.SysButtons()[0]->Image;
    QCOMPARE(first.size(), QSize(120, 21));
    // Every button holds the same decoded pixels, whatever the spelling of the name.
    for (int i = 1; i < 30; ++i)
        QCOMPARE(skin.SysButtons()[i]->Image.constBits(), first.constBits());
}

void TestHostileSkins::loadHasOnePixelBudget() {
    // Five pictures each within the limit of one picture, more than a load may have together.
    PackageRecipe recipe;
    QList<TSkinPackageEntry> pictures;
    QByteArray ini = "[Personality]\r\n";
    const char* sides[] = {"Left", "Right", "Top", "Bottom", "TextBack"};
    for (int i = 0; i < 5; ++i) {
        const QString name = QStringLiteral("p%1.bmp").arg(i);
        ini += QByteArray(sides[i]) + "=" + name.toLatin1() + "\r\n";
        pictures.append({name, hostile::bmpWithoutPixels(2000, 2000)});
    }
    TSkinData skin;
    const Outcome o = load(skin, hostile::pack(ini, pictures));
    QVERIFY(o.loaded);
    QVERIFY(o.mib < 4 * MemoryLimitMiB);
    QCOMPARE(skin.Left()->Image.size(), QSize(2000, 2000));
    QCOMPARE(skin.Bottom()->Image.size(), QSize(2000, 2000));
    QVERIFY(skin.Title()->Image.isNull());
    QCOMPARE(skin.RefusedPictures().size(), 1);
    QVERIFY(skin.RefusedPictures()[0].contains("p4.bmp"));
    QVERIFY(skin.RefusedPictures()[0].contains("in all"));
}

void TestHostileSkins::definitionsPastTheLimits_data() {
    QTest::addColumn<QByteArray>("container");
    QTest::addColumn<QString>("message");
    QTest::newRow("100,000 colour sections")
        << hostile::colourSections(100'000) << "100000 colour-table entries";
    QTest::newRow("20,000 caption buttons")
        << hostile::manyCaptionButtons(20'000) << "20000 caption button";
}

void TestHostileSkins::definitionsPastTheLimits() {
    QFETCH(QByteArray, container);
    QFETCH(QString, message);
    TSkinData skin;
    QVERIFY(loadInto(skin, ordinarySkin()));
    const Outcome o = load(skin, container);
    QVERIFY_BOUNDED(o);
    QVERIFY(!o.loaded);
    QCOMPARE(o.errors.size(), 1);
    QVERIFY2(o.errors[0].contains(message), qPrintable(o.errors[0]));
    QCOMPARE(skin.SkinName(), QStringLiteral("Ordinary"));

    // A definition handed to the builder directly meets the same limits.
    TSkinReader reader;
    QVERIFY(reader.LoadPackage(QByteArrayView(container)));
    QByteArray definition;
    QString name;
    QVERIFY(reader.FindEntry(QStringLiteral(".ini"), definition, name));
    TQuickIni ini;
    ini.LoadFromText(definition);
    QVERIFY_THROWS_EXCEPTION(ESkinRefused, skin.ApplyDefinition(ini, reader));
    QCOMPARE(skin.SkinName(), QStringLiteral("Ordinary"));
}

void TestHostileSkins::definitionsAtTheLimitsLoad() {
    TSkinData skin;
    Outcome o = load(skin, hostile::colourSections(TSkinBuilder::MaxColourTable));
    QVERIFY(o.loaded);
    QCOMPARE(skin.ColourTable().size(), TSkinBuilder::MaxColourTable);
    QCOMPARE(skin.ColourTable()[300], orvik::RGBColour(300 % 256, 40, 90));
    o = load(skin, hostile::manyCaptionButtons(TSkinBuilder::MaxCaptionButtons));
    QVERIFY(o.loaded);
    QCOMPARE(skin.SysButtons().size(), TSkinBuilder::MaxCaptionButtons + 3);
}

void TestHostileSkins::namesAreCountedBeforeTheyAreSplit() {
    // 10 million line breaks: ten million names before the count was looked at.
    const QByteArray container = hostile::namesFlood(10'000'000);
    TSkinData skin;
    QVERIFY(loadInto(skin, ordinarySkin()));
    const Outcome o = load(skin, container);
    QVERIFY_BOUNDED(o);
    QVERIFY(!o.loaded);
    QVERIFY2(o.errors.value(0).contains("10000000 entries"), qPrintable(o.errors.value(0)));
    QCOMPARE(skin.SkinName(), QStringLiteral("Ordinary"));
}
