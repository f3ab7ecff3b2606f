// Capture Entire Screen and Capture Active Window of a real window on a private X server with
// a window manager, compared with xwd's picture of the same area.
#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "fakes/fakeplatform.h"
#include "options/forms.h"
#include "platform/linux/x11desktop.h"
#include "shell/forms.h"
#include "shell/program.h"
#include "support/xvfbtest.h"
#include "support/xwd.h"

namespace qv::shell {
namespace {

// A window whose content is a colour pattern, so a shifted copy would differ.
class PatternWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int x = 0; x < width(); x += 7)
            p.fillRect(x, 0, 7, height(), QColor::fromHsv((x * 3) % 360, 200, 240));
        p.drawText(rect(), Qt::AlignCenter, "capture me");
    }
};

class CaptureX : public testsupport::XvfbTest {
protected:
    void SetUp() override {
        testsupport::XServer::Options options;
        options.windowManager = true;
        startServer(options);
        fake_.emplace();
        fake_->services().desktop = std::make_unique<platform::X11Desktop>();
        prog_ = std::make_unique<Program>();
        prog_->optionsForms().form4->Check2->setChecked(false);  // no autocopy
    }
    void TearDown() override {
        prog_.reset();
        fake_.reset();
        XvfbTest::TearDown();
    }
    QImage capture(bool window, platform::WindowId target) {
        auto& forms = prog_->shellForms();
        auto& s = prog_->shell;
        (window ? s.pendingwindow : s.pendingscreen) = true;
        s.captureavailable = true;
        forms.form3->Text1->setText(QString::number(target));
        forms.form1->Command1->click();
        return forms.form3->Picture1->image().convertToFormat(QImage::Format_RGB32);
    }

    std::optional<fakes::FakePlatform> fake_;
    std::unique_ptr<Program> prog_;
};

TEST_F(CaptureX, EntireScreenAndActiveWindowEqualXwd) {
    // The start-up has run and its main window has gone to the tray, as five seconds later.
    prog_->shellForms().form1->hide();
    PatternWindow window;
    window.setWindowTitle("pattern");
    window.setGeometry(200, 150, 420, 260);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const platform::WindowId id = window.winId();
    QRect frame;
    ASSERT_TRUE(processUntil([&] {
        frame = platform::desktop().windowFrame(id);
        return !frame.isEmpty() && frame != QRect(QPoint(200, 150), QSize(420, 260));
    })) << "the window manager never framed the window";
    platform::desktop().flush();

    // xwd reads the screen before the frozen window covers it.
    const QImage root = testsupport::xwdRoot();
    ASSERT_FALSE(root.isNull());

    EXPECT_EQ(capture(true, id), root.copy(frame));
    prog_->shellForms().form1->standardrelease();
    EXPECT_EQ(capture(false, 0), root);
}

}  // namespace
}  // namespace qv::shell
