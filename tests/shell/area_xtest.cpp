// Areas dragged with the real pointer on a frozen screen of a private X server with a window
// manager: the capture buffer and the clipboard hold exactly what xwd read inside the band.
#include <QClipboard>
#include <QGuiApplication>
#include <cmath>

#include "platform/linux/qtclipboard.h"
#include "shell/frozen_xfixture.h"

namespace qv::shell {
namespace {

class AreaX : public FrozenScreenX {
protected:
    void SetUp() override {
        FrozenScreenX::SetUp();
        fake_->services().clipboard = std::make_unique<platform::QtClipboard>();
        prog_->optionsForms().form4->Check2->setChecked(true);  // autocopy
        prog_->options.autopopupmenu = false;
        prog_->options.autoreleasedesktop = false;
    }

    void xdotool(const QStringList& arguments) {
        ASSERT_EQ(server->run(QStringLiteral("xdotool"), arguments), 0);
    }
    // Moves the real pointer and waits until the frozen picture has seen it.
    void pointerTo(QPoint at) {
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
        ASSERT_TRUE(processUntil([&] {
            const auto& s = prog_->shell;
            return s.dragstate != 2 || s.dragend == at * 15;
        })) << "the pointer never reached "
            << at.x() << "," << at.y();
    }
    // A band from one corner to the other with the real pointer. The band reaches the
    // position before the last, so the pointer goes one pixel further before it lets go.
    void dragBand(QPoint from, QPoint to) {
        pointerTo(from);
        xdotool({"mousedown", "1"});
        ASSERT_TRUE(processUntil([&] { return prog_->shell.dragstate == 2; }));
        pointerTo(to);
        pointerTo(to + QPoint(1, 1));
        prog_->shell.captureavailable = false;
        xdotool({"mouseup", "1"});
        ASSERT_TRUE(processUntil([&] { return prog_->shell.captureavailable; }))
            << "no capture after the mouse-up";
    }
    QImage buffer() {
        return prog_->shellForms().form3->Picture1->image().convertToFormat(QImage::Format_RGB32);
    }
    QImage clipboard() {
        return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(AreaX, DraggedRectangleAndCircleHoldExactlyTheFrozenPixels) {
    PatternWindow window;
    ASSERT_FALSE(showFramed(window, QRect(150, 120, 600, 420)).isEmpty())
        << "the window manager never framed the window";
    const QImage root = testsupport::xwdRoot();
    ASSERT_FALSE(root.isNull());

    auto& forms = prog_->shellForms();
    forms.form1->mnuFreeze->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&forms.form2.get()));
    ASSERT_TRUE(processUntil([&] { return prog_->shell.desktopfrozen; }));
    // Whatever the live screen does now, the frozen picture is what counts.
    window.hide();

    const QPoint from(210, 170);
    const QPoint to(530, 395);
    dragBand(from, to);
    // The band is 320 x 225 pixels; its outline is left out on all four sides.
    const QImage rectangle = root.copy(QRect(from + QPoint(1, 1), QSize(318, 223)));
    EXPECT_EQ(buffer(), rectangle);
    EXPECT_EQ(clipboard(), rectangle);

    // A circle around the press: 1.6 times the vertical distance as radius.
    prog_->shell.circularmode = true;
    prog_->shell.rectangularmode = false;
    const QPoint centre(420, 330);
    dragBand(centre, centre + QPoint(40, 50));  // radius 80 pixels
    const QImage inside = root.copy(QRect(centre - QPoint(79, 79), QSize(158, 158)));
    QImage circle = inside;
    for (int y = 0; y < 158; ++y) {
        for (int x = 0; x < 158; ++x) {
            if (std::hypot(x + 0.5 - 79, y + 0.5 - 79) > 79 - 1.7)
                circle.setPixel(x, y, qRgb(255, 255, 255));
        }
    }
    EXPECT_EQ(buffer(), circle);
    EXPECT_EQ(clipboard(), circle);
}

}  // namespace
}  // namespace qv::shell
