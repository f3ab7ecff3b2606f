// Capture Entire Screen and Capture Active Window of a real window on a private X server with
// a window manager, compared with xwd's picture of the same area.
#include "shell/frozen_xfixture.h"

namespace qv::shell {
namespace {

class CaptureX : public FrozenScreenX {
protected:
    QImage capture(bool window, platform::WindowId target) {
        auto& forms = prog_->shellForms();
        auto& s = prog_->shell;
        (window ? s.pendingwindow : s.pendingscreen) = true;
        s.captureavailable = true;
        forms.form3->Text1->setText(QString::number(target));
        forms.form1->Command1->click();
        return forms.form3->Picture1->image().convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(CaptureX, EntireScreenAndActiveWindowEqualXwd) {
    PatternWindow window;
    const QRect frame = showFramed(window, QRect(200, 150, 420, 260));
    ASSERT_FALSE(frame.isEmpty()) << "the window manager never framed the window";

    // xwd reads the screen before the frozen window covers it.
    const QImage root = testsupport::xwdRoot();
    ASSERT_FALSE(root.isNull());

    EXPECT_EQ(capture(true, window.winId()), root.copy(frame));
    prog_->shellForms().form1->standardrelease();
    EXPECT_EQ(capture(false, 0), root);
}

}  // namespace
}  // namespace qv::shell
