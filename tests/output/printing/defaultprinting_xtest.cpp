// The Default Printing window opened from the Options window by a real click.
#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "options/optionsdialog.h"
#include "options/windows.h"
#include "output/printing/defaultpreviewview.h"
#include "output/printing/defaultprintingdialog.h"
#include "output/windows.h"
#include "shell/windows.h"
#include "support/programxtest.h"
#include "support/xwd.h"

namespace qv::output {
namespace {

using testsupport::countPixels;

class DefaultPrintingX : public testsupport::ProgramXTest {
protected:
    void SetUp() override { startProgram({.size = QSize(1024, 768), .windowManager = true}); }
};

TEST_F(DefaultPrintingX, TheOptionsButtonShowsTheWindowOverItWithThePreview) {
    options::OptionsDialog& optionsWindow = prog_->optionsWindows().optionsDialog.get();
    optionsWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&optionsWindow));
    ASSERT_TRUE(processUntil([&] { return hasKeyboardFocus(optionsWindow); }));

    const QPoint at = optionsWindow.defaultPrintingButton->mapToGlobal(
        optionsWindow.defaultPrintingButton->rect().center());
    ASSERT_EQ(server->run("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()),
                                      "click", "1"}),
              0);
    DefaultPrintingDialog* dialog = nullptr;
    ASSERT_TRUE(processUntil([&] {
        dialog = prog_->outputWindows().defaultPrinting.peek();
        return dialog && dialog->isVisible() && hasKeyboardFocus(*dialog);
    }));
    EXPECT_EQ(dialog->windowTitle(), "Default Printing");
    EXPECT_EQ(dialog->windowHandle()->transientParent(), optionsWindow.windowHandle());
    EXPECT_TRUE(dialog->saveButton->isDefault()) << "activation makes Save the default";

    // What the X server shows of the preview: the page, its shadow, the frame and the sample.
    QImage shown;
    const QRect preview(dialog->previewView->mapTo(dialog, QPoint()), dialog->previewView->size());
    ASSERT_TRUE(processUntil([&] {
        shown = dialog->screen()->grabWindow(dialog->winId()).toImage().copy(preview);
        return countPixels(shown, [](QColor c) { return c.red() > 200 && c.green() < 60; }) > 10;
    }));
    EXPECT_GT(countPixels(shown, [](QColor c) { return c == QColor(0x80, 0x80, 0x80); }), 200);
    EXPECT_GT(countPixels(shown, [](QColor c) { return c == Qt::white; }), 20000);
    EXPECT_GT(countPixels(shown, [](QColor c) { return c.blue() > 200 && c.red() < 60; }), 100);
    if (const QString shots = qEnvironmentVariable("QV_SHOTS"); !shots.isEmpty())
        dialog->screen()->grabWindow(0).save(shots + QStringLiteral("/default-printing.png"));
}

}  // namespace
}  // namespace qv::output
