#include "app/forms/SleepTimer.h"

#include "ui_MainWindow.h"

#include "app/forms/MainWindow.h"
#include "app/forms/Playback.h"
#include "core/ErrorWrapper.h"

#include <QActionGroup>
#include <QElapsedTimer>
#include <QMenu>
#include <QTimer>

#include <cmath>

namespace {
const int kMinutes[] = {15, 30, 60, 90};
} // namespace

TSleepTimer::TSleepTimer(TfrmMain& form)
    : QObject(&form), f_(form), menu_(new QMenu(QStringLiteral("Sleep Timer"), &form)),
      group_(new QActionGroup(this)), timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("SleepTimer"));
    menu_->setObjectName(QStringLiteral("mnuSleepTimer"));
    now = [clock = std::make_shared<QElapsedTimer>()] {
        if (!clock->isValid())
            clock->start();
        return clock->elapsed();
    };
    auto add = [this](const QString& text, int minutes) {
        QAction* item = menu_->addAction(text);
        item->setCheckable(true);
        item->setData(minutes);
        group_->addAction(item);
        connect(item, &QAction::triggered, this, [this, minutes] {
            orvik::runGuarded([&] {
                if (minutes > 0)
                    start(minutes);
                else
                    cancel();
            });
        });
    };
    for (int minutes : kMinutes)
        add(QStringLiteral("%1 minutes").arg(minutes), minutes);
    menu_->addSeparator();
    add(QStringLiteral("Off"), 0);
    item(0)->setChecked(true);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { orvik::runGuarded([this] { tick(); }); });
}

QAction* TSleepTimer::item(int minutes) const {
    for (QAction* a : group_->actions())
        if (a->data().toInt() == minutes)
            return a;
    return nullptr;
}

qint64 TSleepTimer::remaining() const {
    return running() ? std::max<qint64>(0, end_ - now()) : 0;
}

void TSleepTimer::start(int minutes) {
    cancel();
    tipBefore_ = f_.form().lblStatusText->toolTip();
    end_ = now() + qint64(minutes) * 60'000;
    if (QAction* a = item(minutes))
        a->setChecked(true);
    tick();
}

void TSleepTimer::cancel() {
    timer_->stop();
    const bool wasRunning = running();
    end_ = 0;
    // A fade under way gives the volume back.
    if (volumeBefore_ >= 0)
        f_.form().trbVolume->setValue(volumeBefore_);
    volumeBefore_ = volumeSet_ = -1;
    if (wasRunning)
        f_.form().lblStatusText->setToolTip(tipBefore_);
    item(0)->setChecked(true);
}

void TSleepTimer::tick() {
    if (!running())
        return;
    QSlider* slider = f_.form().trbVolume;
    if (volumeSet_ >= 0 && slider->value() != volumeSet_) {
        // The user moved the slider in the fade: the count ends, the volume stays theirs.
        volumeBefore_ = -1;
        cancel();
        return;
    }
    const qint64 left = remaining();
    if (left == 0) {
        finish();
        return;
    }
    if (left <= FadeMs) {
        if (volumeBefore_ < 0)
            volumeBefore_ = slider->value();
        // Down in proportion to the time left, to nothing at the stop.
        const int target = int(std::ceil(double(volumeBefore_) * double(left) / FadeMs));
        if (target != slider->value())
            slider->setValue(target);
        volumeSet_ = slider->value();
    }
    setTip();
    schedule();
}

void TSleepTimer::schedule() {
    // Once a second for the tip; in the fade often enough for each step of the slider.
    const qint64 left = remaining();
    qint64 wait = left % 1000 == 0 ? 1000 : left % 1000;
    if (left <= FadeMs)
        wait = std::min<qint64>(wait, 250);
    else
        wait = std::min(wait, left - FadeMs);
    timer_->start(int(std::max<qint64>(wait, 1)));
}

void TSleepTimer::setTip() {
    const qint64 seconds = (remaining() + 999) / 1000;
    f_.form().lblStatusText->setToolTip(QStringLiteral("Sleep timer: %1:%2 left")
                                            .arg(seconds / 60)
                                            .arg(seconds % 60, 2, 10, QLatin1Char('0')));
}

void TSleepTimer::finish() {
    const int volume = volumeBefore_;
    volumeBefore_ = -1;
    f_.playback().actStopExecute();
    cancel();
    if (volume >= 0)
        f_.form().trbVolume->setValue(volume);
}
