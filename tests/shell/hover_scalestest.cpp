// The picture windows on displays scaled by 1, 1.5 and 2, the pointer delivered as the window
// system reports it: in device pixels, up to the window's last row and column.
#include <QLabel>
#include <QTest>
#include <QWindow>
#include <utility>
#include <vector>

#include "shell/infodialog.h"
#include "shell/mainwindow.h"
#include "shell/windows.h"
#include "support/scaledprogram.h"

namespace qv::shell {
namespace {

using PictureWindowsAtScale = testsupport::ScaledProgramTest;

TEST_P(PictureWindowsAtScale, AMoveToTheEdgeOfThePictureResetsEveryHighlight) {
    InfoDialog& info = prog->shellWindows().infoDialog.get();
    MainWindow& main = prog->shellWindows().mainWindow.get();
    const std::pair<QWidget*, std::vector<QLabel*>> windows[] = {
        {&info, {info.webSiteLink, info.supportLink, info.closeLink}},
        {&main, {main.showInTrayLabel, main.exitLabel}},
    };
    for (const auto& [window, labels] : windows) {
        window->show();
        QWindow* native = window->windowHandle();
        auto moveTo = [&](QPointF device) {
            qt_handleMouseEvent(native, device / ratio(), native->mapToGlobal(device / ratio()),
                                Qt::NoButton, Qt::NoButton, QEvent::MouseMove, Qt::NoModifier, 0);
        };
        const QSize last = native->size() * ratio() - QSize(1, 1);
        for (QLabel* label : labels) {
            const QColor resting = label->palette().color(QPalette::WindowText);
            for (QPoint edge : {QPoint(last.width() / 2, last.height()),
                                QPoint(last.width(), last.height() / 2)}) {
                SCOPED_TRACE(::testing::Message()
                             << label->text() << " then " << ::testing::PrintToString(edge));
                moveTo(QPointF(label->geometry().center()) * ratio());
                ASSERT_NE(label->palette().color(QPalette::WindowText), resting);
                moveTo(edge);
                EXPECT_EQ(label->palette().color(QPalette::WindowText), resting);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, PictureWindowsAtScale, ::testing::Values(1.0, 1.5, 2.0),
                         testsupport::scaleName);

}  // namespace
}  // namespace qv::shell
