#pragma once

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <optional>

#include "fakes/fakeplatform.h"
#include "options/forms.h"
#include "platform/linux/x11desktop.h"
#include "shell/forms.h"
#include "shell/program.h"
#include "support/xvfbtest.h"
#include "support/xwd.h"

namespace qv::shell {

// A window whose content is a colour pattern, so a shifted or scaled copy would differ.
class PatternWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int x = 0; x < width(); x += 7)
            p.fillRect(x, 0, 7, height(), QColor::fromHsv((x * 3) % 360, 200, 240));
        for (int y = 0; y < height(); y += 9)
            p.fillRect(0, y, width(), 2, QColor::fromHsv((y * 5) % 360, 250, 120));
        p.drawText(rect(), Qt::AlignCenter, "capture me");
    }
};

// The program on a private X server with a window manager, reading the real screen; the
// other services are fakes. Its main window has gone to the tray, as after start-up.
class FrozenScreenX : public testsupport::XvfbTest {
protected:
    void SetUp() override {
        testsupport::XServer::Options options;
        options.windowManager = true;
        startServer(options);
        fake_.emplace();
        fake_->services().desktop = std::make_unique<platform::X11Desktop>();
        prog_ = std::make_unique<Program>();
        prog_->optionsForms().form4->Check2->setChecked(false);  // no autocopy
        prog_->shellForms().form1->hide();
    }
    void TearDown() override {
        prog_.reset();
        fake_.reset();
        XvfbTest::TearDown();
    }

    // Shows the window at rect and waits until the window manager has framed it; its frame.
    QRect showFramed(QWidget& window, const QRect& rect) {
        window.setWindowTitle("pattern");
        window.setGeometry(rect);
        window.show();
        QRect frame;
        if (!QTest::qWaitForWindowExposed(&window))
            return frame;
        processUntil([&] {
            frame = platform::desktop().windowFrame(window.winId());
            return !frame.isEmpty() && frame != rect;
        });
        platform::desktop().flush();
        return frame;
    }

    std::optional<fakes::FakePlatform> fake_;
    std::unique_ptr<Program> prog_;
};

}  // namespace qv::shell
