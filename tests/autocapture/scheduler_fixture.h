#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "autocapture/jobrecords.h"
#include "autocapture/windows.h"
#include "shell/capture_fixture.h"

namespace qv::autocapture::schedulertests {

constexpr int kPoll = 4000;

class SchedulerTest : public shell::capturetests::CaptureTest {
protected:
    SchedulerTest() {
        settings().autoCopy = false;
        // Start-up at 10:02:10.
        fake.clock().advance((62 * 60 + 10) * 1000);
        editor = addWindow(QRect(100, 50, 300, 200));
        fake.desktop().windows[editor].title = "Editor";
        other = addWindow(QRect(0, 0, 50, 50));
        fake.desktop().windows[other].title = "Other";
        fake.desktop().foreground = other;
    }

    Job job(const QString& name, const QString& type, const QString& trigger,
            const QString& capture = kScreen) {
        return {name, type, capture, trigger, dir.path(), name, ".bmp", kIncrement};
    }
    void store(const Job& j, bool enabled = true) {
        writeJob(j);
        if (!enabled)
            setJobEnabled(j.name, false);
    }
    void start() { mainWindow(); }
    void poll(int times = 1) { fake.clock().advance(qint64(times) * kPoll); }
    static bool inMinuteFrom(QTime t, QTime from) { return t >= from && t < from.addSecs(60); }
    // Polls until the clock stands in the minute that begins at time (today or tomorrow).
    void pollUntil(QTime time) {
        while (!inMinuteFrom(fake.clock().now().time(), time))
            poll();
    }
    void pollIntoNextMinute() {
        const int minute = fake.clock().now().time().minute();
        while (fake.clock().now().time().minute() == minute)
            poll();
    }
    // Polls up to the last poll before time.
    void pollBefore(QTime time) {
        while (!inMinuteFrom(fake.clock().now().addMSecs(kPoll).time(), time))
            poll();
    }
    QStringList saved() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
    void bringToFront(platform::WindowId window) { fake.desktop().foreground = window; }

    QTemporaryDir dir;
    platform::WindowId editor = 0;
    platform::WindowId other = 0;
};

}  // namespace qv::autocapture::schedulertests
