// A dialog whose caption does not fit its title bar is widened and its controls centred.
#include "skin/data/SkinData.h"
#include "skin/draw/DialogWidth.h"
#include "skin/draw/FrameGeometry.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>
#include <QtTest>

class TestDialogWidth : public QObject {
    Q_OBJECT
private slots:
    void widening();
    void dialogs();
    void captionShowsWhole_data();
    void captionShowsWhole();
};

namespace {

// The caption as the title bar of a dialog that wide lays it out.
QString laidOutCaption(const TSkinData& skin, const QString& caption, int width) {
    orvik::TFrameState state;
    state.size = QSize(width, 100);
    state.kind = orvik::TBorderKind::Dialog;
    state.dialogClass = true;
    state.maximiseBox = state.minimiseBox = false;
    return orvik::LayoutFrame(skin, state, caption, skin.CaptionFont(), true).elidedCaption;
}

} // namespace

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
    const auto needed = [&](const QString& caption) {
        return margins + skin.Title()->TxtBackLeft + skin.Title()->TxtBackRight +
               QFontMetrics(font).horizontalAdvance(orvik::SpacedCaption(caption));
    };

    // Without a layout every child moves right by the shift.
    QDialog plain;
    auto* button = new QLabel(QStringLiteral("OK"), &plain);
    button->setGeometry(20, 40, 60, 20);
    plain.resize(120, 80);
    plain.setWindowTitle(QString(60, u'W'));
    const orvik::TDialogWidening w = orvik::WidenDialogForCaption(plain, skin, font, frame);
    QCOMPARE(w.width, needed(plain.windowTitle()));
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

void TestDialogWidth::captionShowsWhole_data() {
    QTest::addColumn<QString>("skin");
    for (const char* name : {"nightfall", "pebble", "ember", "lagoon"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// A message box as narrow as its text: once widened, its title shows the caption whole (Lagoon
// centres the caption between wide title ends, where measuring the bare text was not enough).
void TestDialogWidth::captionShowsWhole() {
    QFETCH(QString, skin);
    TSkinData data;
    data.SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/") + skin + QStringLiteral(".skn"));
    QVERIFY(!data.Loading());
    for (const QString& caption :
         {QStringLiteral("Orvik"), QStringLiteral("Confirm"), QString(40, u'W')}) {
        QDialog box;
        box.resize(60, 80);
        box.setWindowTitle(caption);
        const orvik::TDialogWidening w =
            orvik::WidenDialogForCaption(box, data, data.CaptionFont(), 0);
        QCOMPARE(box.width(), w.width);
        QCOMPARE(laidOutCaption(data, caption, w.width), orvik::SpacedCaption(caption));
        QVERIFY(laidOutCaption(data, caption, 60) != orvik::SpacedCaption(caption));
    }
}

QTEST_MAIN(TestDialogWidth)
#include "test_dialogwidth.moc"
