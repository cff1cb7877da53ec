// The definition reader: line splitting, section and key lookup, integers and colour texts.

#include "skin/data/QuickIni.h"
#include "skin/data/SkinData.h"
#include "tests/skindata/TestClasses.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTest>

namespace {

TQuickIni iniOf(const QByteArray& text) {
    TQuickIni ini;
    ini.LoadFromText(text);
    return ini;
}

} // namespace

void TestQuickIni::splitsTrimsAndDropsComments() {
    const TQuickIni ini = iniOf("  first=1\t\r\n"
                                "\r\n"
                                "; a comment\r"
                                "   ;indented comment\n"
                                "[A]\n\r"
                                "key = value ; not a comment\r\n"
                                "[B]\n"
                                "x=1\0[C]\r\nhidden=1");
    QCOMPARE(ini.Lines(),
             (QStringList{"first=1", "[A]", "key = value ; not a comment", "[B]", "x=1"}));
    QCOMPARE(ini.Sections().size(), 2);
    QCOMPARE(ini.Sections()[0].second, 1);
    QCOMPARE(ini.Sections()[1].second, 3);
    QCOMPARE(ini.SectionIndex("b"), 3);
    QCOMPARE(ini.SectionIndex("C"), -1); // after the NUL
    QCOMPARE(ini.ReadString("A", "key", "d"), QString("value ; not a comment"));
    QCOMPARE(ini.ReadInteger("A", "key", 7), 7);
}

void TestQuickIni::sectionLookup() {
    const TQuickIni ini = iniOf("orphan=1\r\n"
                                "[buttons]\r\nLeftWidth=3\r\n"
                                "[ Tabs ]\r\nLeftWidth=5\r\n"
                                "[Buttons]\r\nLeftWidth=9\r\nRightWidth=4\r\n"
                                "[Empty]\r\n"
                                "[Fin]\r\nLeftWidth=1\r\n");
    QCOMPARE(ini.ReadSections(), (QStringList{"buttons", "Tabs", "Buttons", "Empty", "Fin"}));
    // Headers compare without regard to case; only the first of two sections is searched.
    QCOMPARE(ini.ReadInteger("Buttons", "LeftWidth", 0), 3);
    QCOMPARE(ini.ReadInteger("Buttons", "RightWidth", -1), -1);
    // Listed as "Tabs", but the spaces are part of the header: nothing is found under it.
    QCOMPARE(ini.ReadInteger("Tabs", "LeftWidth", -2), -2);
    QCOMPARE(ini.ReadInteger(" Tabs ", "LeftWidth", -2), 5);
    // A lookup stops at the next header; keys before the first header belong nowhere.
    QCOMPARE(ini.ReadInteger("Empty", "LeftWidth", -3), -3);
    QCOMPARE(ini.ReadString("", "orphan", "none"), QString("none"));
    QCOMPARE(ini.ReadString("Missing", "x", "none"), QString("none"));
    QCOMPARE(iniOf("").ReadString("A", "x", "none"), QString("none"));
}

void TestQuickIni::lookupsInAHugeDefinition() {
    // 100,000 sections, each read once, with non-ASCII letter case in a header too.
    QByteArray text = "[\xC4rger]\r\nkey=umlaut\r\n"; // Latin-1, as definitions are
    for (int i = 0; i < 100'000; ++i)
        text += "[Section" + QByteArray::number(i) + "]\r\nKey=" + QByteArray::number(i) + "\r\n";
    QElapsedTimer timer;
    timer.start();
    TQuickIni ini;
    ini.LoadFromText(text);
    qint64 sum = 0;
    for (int i = 0; i < 100'000; ++i)
        sum += ini.ReadInteger(QStringLiteral("SECTION%1").arg(i), QStringLiteral("key"), -1);
    QVERIFY2(timer.elapsed() < 10'000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(sum, qint64(99'999) * 100'000 / 2);
    QCOMPARE(ini.ReadString(QString::fromLatin1("\xE4RGER"), "Key", {}), QString("umlaut"));
}

void TestQuickIni::keyLookup() {
    const TQuickIni ini = iniOf("[S]\r\n"
                                "   LEFTWIDTH   =   12   \r\n"
                                "TopHeight=\r\n"
                                "TopHeight=8\r\n"
                                "RightWidth=5\r\n"
                                "RightWidth=6\r\n"
                                "no equals sign\r\n"
                                "Bottom=a=b\r\n"
                                "[T]\r\n"
                                "=empty key\r\n");
    QCOMPARE(ini.ReadInteger("S", "LeftWidth", 0), 12);
    // The first line of a key wins, even when it has no value.
    QCOMPARE(ini.ReadInteger("S", "TopHeight", -1), -1);
    QCOMPARE(ini.ReadInteger("S", "RightWidth", 0), 5);
    QCOMPARE(ini.ReadString("S", "no equals sign", "d"), QString("d"));
    QCOMPARE(ini.ReadString("S", "Bottom", "d"), QString("a=b"));
    QCOMPARE(ini.ReadString("T", "", "d"), QString("empty key"));
}

void TestQuickIni::integers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    const int def = -77;
    QTest::newRow("decimal") << "42" << 42;
    QTest::newRow("signed") << "-42" << -42;
    QTest::newRow("plus") << "+7" << 7;
    QTest::newRow("0x") << "0x1F" << 31;
    QTest::newRow("0X") << "0X1f" << 31;
    QTest::newRow("dollar") << "$1F" << 31;
    QTest::newRow("negative dollar") << "-$10" << -16;
    QTest::newRow("0x alone") << "0x" << def;
    QTest::newRow("dollar alone") << "$" << def;
    QTest::newRow("0x with junk") << "0x1G" << def;
    QTest::newRow("32 bits of hex") << "$FFFFFFFF" << -1;
    QTest::newRow("33 bits of hex") << "$100000000" << def;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << int(-2147483647 - 1);
    QTest::newRow("overflow") << "2147483648" << def;
    QTest::newRow("long digits") << "99999999999999999999999" << def;
    QTest::newRow("note after value") << "12 ; twelve" << def;
    QTest::newRow("inner space") << "1 2" << def;
    QTest::newRow("sign alone") << "-" << def;
    QTest::newRow("text") << "abc" << def;
    QTest::newRow("nothing") << "" << def;
}

void TestQuickIni::integers() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    const TQuickIni ini = iniOf("[S]\r\nValue=" + text.toLatin1() + "\r\n");
    QCOMPARE(ini.ReadInteger("S", "Value", -77), expected);
}

void TestQuickIni::loadsFromStreamPosition() {
    QByteArray data = "ignored\r\n[S]\r\nk=v\r\n";
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(9);
    TQuickIni ini;
    ini.LoadFromStream(&buffer);
    QCOMPARE(ini.Lines(), (QStringList{"[S]", "k=v"}));
    ini.LoadFromStream(nullptr);
    QCOMPARE(ini.Lines().size(), 2);
    // A second load replaces everything.
    ini.LoadFromText("[T]\r\n");
    QCOMPARE(ini.ReadSections(), QStringList{"T"});
    QCOMPARE(ini.ReadString("S", "k", "gone"), QString("gone"));
}

void TestQuickIni::colourTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("expected");
    QTest::newRow("spaces") << "59 97 131" << uint(orvik::RGBColour(59, 97, 131));
    QTest::newRow("low byte") << "300 0 0" << uint(orvik::RGBColour(44, 0, 0));
    QTest::newRow("lone number") << "255" << 0u;
    QTest::newRow("commas") << "1,2,3" << uint(orvik::RGBColour(1, 2, 3));
    QTest::newRow("mixed separators") << "10-20 ;30" << uint(orvik::RGBColour(10, 20, 30));
    QTest::newRow("two numbers") << "1 2" << uint(orvik::RGBColour(1, 0, 0));
    QTest::newRow("fourth ignored") << "1 2 3 4 5" << uint(orvik::RGBColour(1, 2, 3));
    QTest::newRow("trailing separator") << "1 2 " << uint(orvik::RGBColour(1, 0, 0));
    // 10^20 - 1 leaves 255 in the low byte.
    QTest::newRow("huge digits") << "99999999999999999999 0 0" << uint(orvik::RGBColour(255, 0, 0));
    QTest::newRow("letters") << "red" << 0u;
    QTest::newRow("empty") << "" << 0u;
}

void TestQuickIni::colourTexts() {
    QFETCH(QString, text);
    QFETCH(uint, expected);
    QCOMPARE(uint(TSkinData::ParseColour(text)), expected);
}

void TestQuickIni::colourReaders() {
    const TQuickIni ini = iniOf("[C]\r\n"
                                "Set=1 2 3\r\n"
                                "Empty=\r\n"
                                "TextR=10\r\nTextG=0x14\r\nTextB=30\r\n"
                                "BigR=300\r\nBigG=1\r\nBigB=2\r\n"
                                "HalfR=1\r\nHalfG=2\r\n"
                                "NegR=1\r\nNegG=-1\r\nNegB=2\r\n");
    const TColor def = orvik::SystemColour(orvik::COLOR_BTNTEXT);
    QCOMPARE(TSkinData::ReadColour(ini, "C", "Set", def), orvik::RGBColour(1, 2, 3));
    QCOMPARE(TSkinData::ReadColour(ini, "C", "Empty", def), def);
    QCOMPARE(TSkinData::ReadColour(ini, "C", "Missing", def), def);

    TColor target = 12345;
    TSkinData::ReadRGB(ini, "C", "Text", target);
    QCOMPARE(target, orvik::RGBColour(10, 20, 30));
    TSkinData::ReadRGB(ini, "C", "Big", target);
    QCOMPARE(target, orvik::RGBColour(44, 1, 2));
    target = 12345;
    TSkinData::ReadRGB(ini, "C", "Half", target);
    QCOMPARE(target, TColor(12345));
    TSkinData::ReadRGB(ini, "C", "Neg", target);
    QCOMPARE(target, TColor(12345));
}
