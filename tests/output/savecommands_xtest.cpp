// The three saving roads chosen by real clicks, with the real converter and file dialog.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "options/windows.h"
#include "output/saveformat.h"
#include "output/windows.h"
#include "platform/linux/qtdialogs.h"
#include "platform/linux/qtprocess.h"
#include "platform/linux/x11desktop.h"
#include "shell/windows.h"
#include "support/programxtest.h"

namespace qv::output {
namespace {

// Messages are recorded, so a failure cannot block the test; the file dialog is the real one.
class RealFileDialog : public fakes::FakeDialogs {
public:
    std::optional<platform::ChosenFile> saveFileWithFilter(
        const platform::FileDialogRequest& request, const QString& selectedFilter,
        QWidget* owner) override {
        return real.saveFileWithFilter(request, selectedFilter, owner);
    }
    platform::QtDialogs real;
};

// Stripes of many colours, so a shifted or scaled file would differ.
class StripedWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int x = 0; x < width(); x += 5)
            p.fillRect(x, 0, 5, height(), QColor::fromHsv((x * 7) % 360, 220, 230));
    }
};

class SavingX : public testsupport::ProgramXTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startProgram(
            {.size = QSize(640, 480), .windowManager = true}, [this](fakes::FakePlatform& fake) {
                auto dialogs = std::make_unique<RealFileDialog>();
                dialogs_ = dialogs.get();
                fake.services().dialogs = std::move(dialogs);
                fake.services().desktop = std::make_unique<platform::X11Desktop>();
                fake.services().process = std::make_unique<platform::QtProcess>();
            }));
        quietCaptures();
        prog_->options.settings.saveFolder = dir_.path();
        prog_->options.settings.fileNamePrefix = QStringLiteral("Shot_");
        prog_->output.programFolder = QStringLiteral(QV_BIN_DIR);

        window_ = std::make_unique<StripedWindow>();
        window_->setGeometry(60, 50, 400, 300);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        platform::desktop().flush();
        shellWindows().mainWindow->captureScreenItem->trigger();
        ASSERT_TRUE(processUntil([&] { return prog_->captureState.freeze.desktopFrozen; }));
        capture_ = prog_->capture.buffer.convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(capture_.size(), QSize(640, 480));
    }
    void TearDown() override {
        window_.reset();
        ProgramXTest::TearDown();
    }

    shell::Windows& shellWindows() { return prog_->shellWindows(); }

    // Pops the frozen screen's context menu up and clicks item with the real pointer.
    void clickInContextMenu(QAction* item) {
        shell::MainWindow& mainWindow = shellWindows().mainWindow.get();
        mainWindow.updateClipboardMenus();
        ASSERT_TRUE(item->isEnabled());
        mainWindow.contextMenu->popup(QPoint(200, 40));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow.contextMenu));
        ASSERT_TRUE(processUntil(
            [&] { return QApplication::activePopupWidget() == mainWindow.contextMenu; }));
        const QPoint at = mainWindow.contextMenu->mapToGlobal(
            mainWindow.contextMenu->actionGeometry(item).center());
        ASSERT_EQ(server->run("xdotool", {"mousemove", QString::number(at.x()),
                                          QString::number(at.y()), "click", "1"}),
                  0);
    }

    void expectSaved(const QString& name, const SaveFormat& format) {
        const QString file = QDir(dir_.path()).filePath(name);
        ASSERT_TRUE(processUntil([&] { return QFileInfo(file).size() > 0; })) << qPrintable(name);
        ASSERT_TRUE(processUntil([&] { return prog_->shellWindows().frozenScreen->isVisible(); }));
        EXPECT_TRUE(dialogs_->messages.empty()) << dialogs_->lastText().toStdString();
        const QImage back = QImage(file).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(back.size(), capture_.size()) << qPrintable(name);
        // JPEG closeness is the converter's own test.
        if (format.extension != QLatin1String(".jpg")) {
            EXPECT_EQ(back, capture_) << qPrintable(name);
        }
    }

    RealFileDialog* dialogs_ = nullptr;
    QTemporaryDir dir_;
    std::unique_ptr<StripedWindow> window_;
    QImage capture_;
};

TEST_F(SavingX, EachFormatByEveryRoadFromTheContextMenu) {
    auto& mainWindow = shellWindows().mainWindow.get();
    options::Settings& settings = prog_->options.settings;
    for (const SaveFormat& format : saveFormats()) {
        SCOPED_TRACE(format.extension.toStdString());
        settings.format = options::kImageFormats[&format - saveFormats().data()];

        settings.naming = options::SaveNaming::Increment;
        clickInContextMenu(mainWindow.saveToDefaultFolderItem);
        expectSaved(QStringLiteral("Shot_") + format.extension, format);

        settings.naming = options::SaveNaming::Prompt;
        clickInContextMenu(mainWindow.saveToDefaultFolderItem);
        SaveDialog* dialog = nullptr;
        ASSERT_TRUE(processUntil([&] {
            dialog = prog_->outputWindows().saveDialog.peek();
            return dialog && dialog->isVisible() && dialog->fileNameEdit->hasFocus() &&
                   hasKeyboardFocus(*dialog);
        }));
        dialog->formatCombo->setCurrentText(format.extension);
        ASSERT_EQ(server->run("xdotool", {"key", "ctrl+a", "type", "--delay", "5", "typed name"}),
                  0);
        ASSERT_TRUE(processUntil([&] { return dialog->fileNameEdit->text() == "typed name"; }));
        ASSERT_EQ(server->run("xdotool", {"key", "Return"}), 0);
        expectSaved(QStringLiteral("typed name") + format.extension, format);

        // The real file dialog, the format chosen by its filter.
        QTimer answer;
        bool typedIntoFileDialog = false;
        answer.setInterval(50);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            QFileDialog* fileDialog = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible())
                    fileDialog = d;
            }
            if (!fileDialog)
                return;
            answer.stop();
            fileDialog->selectNameFilter(format.qtFilter().simplified());
            // Typed keys go to whatever has the X focus: wait until the dialog's name box has
            // it, which takes longer on a loaded machine.
            typedIntoFileDialog = processUntil([&] {
                auto* nameBox = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                return fileDialog->isActiveWindow() && nameBox &&
                       fileDialog->isAncestorOf(nameBox) && hasKeyboardFocus(*fileDialog);
            });
            server->run("xdotool", {"type", "--delay", "5", "saved as.xyz"});
            typedIntoFileDialog = typedIntoFileDialog && processUntil([&] {
                                      return fileDialog->selectedFiles().value(0).endsWith(".xyz");
                                  });
            server->run("xdotool", {"key", "Return"});
        });
        answer.start();
        clickInContextMenu(mainWindow.saveAsItem);
        expectSaved(QStringLiteral("saved as.") + format.appendedExtension, format);
        EXPECT_TRUE(typedIntoFileDialog);
    }
    // No temporary bitmaps left behind.
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 12);
}

TEST_F(SavingX, AConverterThatCannotStartIsReportedAndTheFrozenScreenStays) {
    auto& mainWindow = shellWindows().mainWindow.get();
    options::Settings& settings = prog_->options.settings;
    settings.releaseAfterCapture = true;
    prog_->output.programFolder = dir_.filePath("no converter here");
    settings.format = options::ImageFormat::Png;
    settings.naming = options::SaveNaming::Increment;
    clickInContextMenu(mainWindow.saveToDefaultFolderItem);
    ASSERT_TRUE(processUntil([&] { return !dialogs_->messages.empty(); }));
    EXPECT_TRUE(dialogs_->lastText().startsWith("Error: 53  ")) << qPrintable(dialogs_->lastText());
    EXPECT_TRUE(shellWindows().frozenScreen->isVisible());
    EXPECT_TRUE(QDir(dir_.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

}  // namespace
}  // namespace qv::output
