// The real message boxes, as the user meets them: titles (also as the window system shows
// them), icons, button texts, and the answer a button, Escape or the close request gives.
#include "app/forms/ProgramStart.h"
#include "app/forms/Splash.h"
#include "core/ErrorWrapper.h"
#include "core/MessagePresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace orvik;

namespace {

// What the test saw of the box that came up.
struct Seen {
    QString title, text, windowName;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// The title the X server holds for a window (what a window manager draws).
QString xWindowName(WId id) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(id), QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(10000))
        return {};
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const int quote = out.indexOf(u'"');
    return quote < 0 ? out : out.mid(quote + 1).chopped(1);
}

// Runs show() while a poller waits for the modal box, records it and answers it with answer.
bool answerBox(const std::function<bool()>& show, const std::function<void(QMessageBox&)>& answer,
               Seen& seen) {
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || !QTest::qWaitForWindowExposed(box))
            return;
        poll.stop();
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->text();
        seen.buttons.sort();
        QApplication::processEvents();
        seen.windowName = xWindowName(box->winId());
        answer(*box);
    });
    poll.start();
    return show();
}

void pressEscape(QMessageBox& box) {
    QTest::keyClick(&box, Qt::Key_Escape);
}

void closeBox(QMessageBox& box) {
    box.close();
}

std::function<void(QMessageBox&)> click(const QString& text) {
    return [text](QMessageBox& box) {
        for (QAbstractButton* b : box.buttons())
            if (b->text() == text)
                b->click();
    };
}

} // namespace

class TestMessageBoxes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { nameApplication(); }

    void boxesLookAsTheyShould_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("error") << 0 << "Error" << int(QMessageBox::Critical) << QStringList{"OK"};
        QTest::newRow("information")
            << 1 << "Information" << int(QMessageBox::Information) << QStringList{"OK"};
        QTest::newRow("confirmation")
            << 2 << "Confirm" << int(QMessageBox::Question) << QStringList{"&No", "&Yes"};
        QTest::newRow("plain") << 3 << "Orvik" << int(QMessageBox::NoIcon) << QStringList{"OK"};
        QTest::newRow("command error")
            << 4 << "Orvik" << int(QMessageBox::Critical) << QStringList{"OK"};
    }

    void boxesLookAsTheyShould() {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QFETCH(QStringList, buttons);
        const QString text = QStringLiteral("Something to say");
        auto show = [&]() -> bool {
            switch (kind) {
            case 0:
                ShowError(QStringLiteral("Something to %s"), {QStringLiteral("say")});
                return false;
            case 1:
                ShowInformation(text);
                return false;
            case 2:
                return ShowConfirmation(text);
            case 3:
                ShowMessage(text);
                return false;
            default:
                runGuarded([] { throw Error(QStringLiteral("Something to say")); });
                return false;
            }
        };
        Seen seen;
        // Every box can be left with Escape; none of them counts that as a Yes.
        QVERIFY(!answerBox(show, pressEscape, seen));
        QCOMPARE(seen.title, title);
        // The window system shows the title as it is, with nothing appended.
        QCOMPARE(seen.windowName, title);
        QCOMPARE(int(seen.icon), icon);
        QCOMPARE(seen.buttons, buttons);
        QCOMPARE(seen.text, kind == 4 ? text + u'.' : text);
        QVERIFY(!QApplication::activeModalWidget());

        Seen again; // and with the window's close request
        QVERIFY(!answerBox(show, closeBox, again));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void confirmationIsTrueOnlyForYes() {
        auto ask = [] { return ShowConfirmation(QStringLiteral("Are you sure?")); };
        Seen seen;
        QVERIFY(answerBox(ask, click(QStringLiteral("&Yes")), seen));
        QVERIFY(!answerBox(ask, click(QStringLiteral("&No")), seen));
        QVERIFY(!answerBox(ask, closeBox, seen));
        QVERIFY(!answerBox(ask, pressEscape, seen));
    }

    // A box that start-up shows (a missing catalogue, a missing player) is not hidden behind
    // the splash window: the splash steps aside while the box is open, and comes back after.
    void startUpBoxesAreNotBehindTheSplash() {
        QWidget owner;
        TfmSplash splash(&owner);
        QVERIFY(!(splash.windowFlags() & Qt::WindowStaysOnTopHint));
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        bool splashShown = true;
        Seen seen;
        answerBox(
            [] {
                ShowError(QStringLiteral("The catalogue is missing."));
                return false;
            },
            [&](QMessageBox& box) {
                splashShown = splash.isVisible();
                pressEscape(box); // answerable
            },
            seen);
        QCOMPARE(seen.title, QStringLiteral("Error"));
        QVERIFY(!splashShown);
        QVERIFY(splash.isVisible());
    }
};

QTEST_MAIN(TestMessageBoxes)
#include "test_messageboxes.moc"
