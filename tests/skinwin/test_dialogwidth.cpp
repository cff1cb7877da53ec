// A dialog whose caption does not fit its title bar is widened and its controls centred.
#include "skin/data/SkinData.h"
#include "skin/draw/DialogWidth.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>
#include <QtTest>

class TestDialogWidth : public QObject {
    Q_OBJECT
private slots:
    void widening();
    void dialogs();
};

void TestDialogWidth::widening() {
    using orvik::WidenForCaption;
    // Fits exactly or with room: unchanged.
    QCOMPARE(WidenForCaption(200, 150, 30, 20).width, 200);
    QCOMPARE(WidenForCaption(200, 150, 30, 20).shift, 0);
    QCOMPARE(WidenForCaption(300, 150, 30, 20).width, 300);
    // Too narrow: the caption's width, the controls moved by half the difference.
    const orvik::TDialogWidening w = WidenForCaption(200, 251, 30, 20);
    QCOMPARE(w.width, 301);
    QCOMPARE(w.shift, 50);
    // Nonsense widths count as 0.
    QCOMPARE(WidenForCaption(-5, -10, -1, -1).width, 0);
    QCOMPARE(WidenForCaption(0, 40, -1, 2).width, 42);
}

void TestDialogWidth::dialogs() {
    TSkinData skin;
    skin.SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/pebble.skn"));
    QVERIFY(!skin.Loading());
    const QFont font = skin.CaptionFont();
    const int margins = skin.Title()->LeftWidth + skin.Title()->RightWidth;
    const int frame = 8;

    // Without a layout every child moves right by the shift.
    QDialog plain;
    auto* button = new QLabel(QStringLiteral("OK"), &plain);
    button->setGeometry(20, 40, 60, 20);
    plain.resize(120, 80);
    plain.setWindowTitle(QString(60, u'W'));
    const int text = QFontMetrics(font).horizontalAdvance(plain.windowTitle());
    const orvik::TDialogWidening w = orvik::WidenDialogForCaption(plain, skin, font, frame);
    QCOMPARE(w.width, margins + text);
    QCOMPARE(plain.width() + frame, w.width);
    QCOMPARE(w.shift, (w.width - (120 + frame)) / 2);
    QCOMPARE(button->x(), 20 + w.shift);
    QCOMPARE(button->y(), 40);

    // With a layout the controls stay centred: the layout's side margins grow by the shift.
    QDialog laidOut;
    auto* layout = new QVBoxLayout(&laidOut);
    layout->setContentsMargins(10, 10, 10, 10);
    auto* label = new QLabel(QStringLiteral("Text"), &laidOut);
    layout->addWidget(label);
    laidOut.resize(120, 80);
    laidOut.setWindowTitle(plain.windowTitle());
    const orvik::TDialogWidening l = orvik::WidenDialogForCaption(laidOut, skin, font, frame);
    QCOMPARE(layout->contentsMargins().left(), 10 + l.shift);
    QCOMPARE(layout->contentsMargins().right(), 10 + l.shift);
    laidOut.show();
    QVERIFY(QTest::qWaitForWindowExposed(&laidOut));
    QCOMPARE(laidOut.width() + frame, l.width);
    QCOMPARE(label->x(), 10 + l.shift);

    // A caption that fits changes nothing.
    QDialog wide;
    auto* child = new QLabel(QStringLiteral("x"), &wide);
    child->move(5, 5);
    wide.resize(margins + 400, 80);
    wide.setWindowTitle(QStringLiteral("Short"));
    QCOMPARE(orvik::WidenDialogForCaption(wide, skin, font, frame).shift, 0);
    QCOMPARE(wide.width(), margins + 400);
    QCOMPARE(child->x(), 5);
}

QTEST_MAIN(TestDialogWidth)
#include "test_dialogwidth.moc"
