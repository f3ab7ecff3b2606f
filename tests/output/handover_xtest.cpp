// Handing the capture to other programs on a real X server: the clipboard as other programs read
// it.
#include <QApplication>
#include <QProcess>
#include <QTest>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "options/windows.h"
#include "platform/linux/qtclipboard.h"
#include "platform/linux/x11desktop.h"
#include "shell/windows.h"
#include "support/xvfbtest.h"

namespace qv::output {
namespace {

class HandoverX : public testsupport::XvfbTest {
protected:
    void SetUp() override {
        testsupport::XServer::Options options;
        options.size = QSize(320, 240);
        options.windowManager = true;
        startServer(options);
        fake_.emplace();
        fake_->services().desktop = std::make_unique<platform::X11Desktop>();
        fake_->services().clipboard = std::make_unique<platform::QtClipboard>();
        prog_ = std::make_unique<Program>();
        prog_->optionsWindows().optionsDialog.get();  // its load reads the settings
        options::Settings& settings = prog_->options.settings;
        settings.autoCopy = false;
        settings.autoPopupMenu = false;
        settings.releaseAfterCapture = false;
        shellWindows().mainWindow->hide();
        shellWindows().mainWindow->captureScreenItem->trigger();
        ASSERT_TRUE(processUntil([&] { return prog_->captureState.freeze.desktopFrozen; }));
        capture_ = prog_->capture.buffer.convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(capture_.size(), QSize(320, 240));
    }
    void TearDown() override {
        prog_.reset();
        fake_.reset();
        XvfbTest::TearDown();
    }

    shell::Windows& shellWindows() { return prog_->shellWindows(); }

    struct Run {
        int exitCode = -1;
        QByteArray output;
    };
    // Runs another program on the server while this one keeps handling events, as a program
    // that reads our clipboard needs.
    Run runAlongside(const QString& program, const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), server->display());
        process.setProcessEnvironment(env);
        process.start(program, arguments);
        const bool ended = processUntil(
            [&] { return process.state() == QProcess::NotRunning || process.waitForFinished(5); },
            30000);
        if (!ended || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), process.readAllStandardOutput()};
    }
    Run readClipboard(const char* type) {
        return runAlongside(
            QStringLiteral("xclip"),
            {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
             QString::fromLatin1(type), QStringLiteral("-o")});
    }

    std::optional<fakes::FakePlatform> fake_;
    std::unique_ptr<Program> prog_;
    QImage capture_;
};

TEST_F(HandoverX, CopyToClipboardOffersTheCaptureAsPngToOtherPrograms) {
    const Run before = readClipboard("TARGETS");
    EXPECT_FALSE(before.exitCode == 0 && before.output.contains("image/png"))
        << before.output.data();

    shellWindows().mainWindow->copyItem->trigger();

    const Run png = readClipboard("image/png");
    ASSERT_EQ(png.exitCode, 0);
    const QImage pasted = QImage::fromData(png.output, "PNG").convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(pasted, capture_);
    EXPECT_TRUE(shellWindows().frozenScreen->isVisible());
}

}  // namespace
}  // namespace qv::output
