#include "support/programxtest.h"

#include <QAction>
#include <QTest>
#include <QWidget>
#include <utility>

#include "options/windows.h"
#include "shell/windows.h"

namespace qv::testsupport {

void ProgramXTest::startProgram(const XServer::Options& options,
                                const std::function<void(fakes::FakePlatform&)>& services) {
    startServer(options);
    if (HasFatalFailure())
        return;
    fake_.emplace();
    if (services)
        services(*fake_);
    prog_ = std::make_unique<Program>();
}

void ProgramXTest::quietCaptures(bool loadOptions) {
    if (loadOptions)
        prog_->optionsWindows().optionsDialog.get();
    options::Settings& settings = prog_->options.settings;
    settings.autoCopy = false;
    settings.autoPopupMenu = false;
    settings.releaseAfterCapture = false;
    prog_->shellWindows().mainWindow->hide();
}

void ProgramXTest::TearDown() {
    prog_.reset();
    fake_.reset();
    XvfbTest::TearDown();
}

void ProgramXTest::xdotool(const QStringList& arguments) {
    ASSERT_EQ(server->run(QStringLiteral("xdotool"), arguments), 0);
}

void ProgramXTest::clickAt(QPoint at, int button) {
    xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click",
             QString::number(button)});
}

QImage ProgramXTest::settled(const std::function<QImage()>& read) {
    QImage previous;
    QImage now;
    const bool done = processUntil([&] {
        previous = std::exchange(now, read());
        return !now.isNull() && now == previous;
    });
    return done ? now : QImage();
}

void ProgramXTest::showPattern(QWidget& window, const QRect& geometry) {
    window.setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    window.setGeometry(geometry);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

void ProgramXTest::freezeScreen() {
    auto& shellWindows = prog_->shellWindows();
    shellWindows.mainWindow->freezeItem->trigger();
    frozen_ = &shellWindows.frozenScreen.get();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frozen_));
    ASSERT_TRUE(processUntil([&] { return prog_->captureState.freeze.desktopFrozen; }));
}

}  // namespace qv::testsupport
