#include "shell/capture_fixture.h"
#include "shell/clipboardclass.h"

namespace qv::shell::capturetests {
namespace {

class OneStepCaptureTest : public CaptureTest {
protected:
    OneStepCaptureTest() { settings().autoCopy = false; }
    void captureActiveWindow(const QString& target) {
        form3().Text1->setText(target);
        requestCapture(true);
    }
};

TEST_F(OneStepCaptureTest, EntireScreenIsTheSnapshotPixelForPixel) {
    captureEntireScreen();
    EXPECT_EQ(buffer(), fake.desktop().screen);
    const auto& s = shellState();
    EXPECT_FALSE(s.pendingscreen);
    EXPECT_TRUE(s.captureavailable);
    EXPECT_TRUE(s.desktopfrozen);
    EXPECT_EQ(QRect(QPoint(s.bandx1, s.bandy1), QPoint(s.bandx2, s.bandy2)),
              QRect(QPoint(0, 0), QPoint(19200, 12000)));
    EXPECT_EQ(frozenScreen().Shape1->geometry(), QRectF(10, 10, 19190, 11962));
}

TEST_F(OneStepCaptureTest, ActiveWindowIsItsFrameClippedToTheScreen) {
    const std::pair<QRect, QRect> rows[] = {
        {{100, 50, 300, 200}, {100, 50, 300, 200}},
        {{0, 0, 1280, 800}, {0, 0, 1280, 800}},
        {{1200, 700, 300, 200}, {1200, 700, 80, 100}},
        {{-20, -10, 60, 40}, {0, 0, 40, 30}},
    };
    for (const auto& [frame, c] : rows) {
        SCOPED_TRACE(::testing::Message() << frame.x() << "," << frame.y());
        mainWindow().resetAfterRelease();
        captureActiveWindow(QString::number(addWindow(frame)));
        EXPECT_EQ(buffer(), screen(c));
        EXPECT_TRUE(fake.dialogs().messages.empty());
        const auto& s = shellState();
        EXPECT_EQ(QRect(QPoint(s.bandx1, s.bandy1), QPoint(s.bandx2, s.bandy2)),
                  QRect(c.topLeft() * 15, (c.bottomRight() + QPoint(1, 1)) * 15));
        EXPECT_EQ(frozenScreen().Shape1->geometry(),
                  QRectF(c.left() * 15 - 10, c.top() * 15 - 10, c.width() * 15 + 25,
                         c.height() * 15 + 25));
    }
}

TEST_F(OneStepCaptureTest, ActiveWindowFailuresSayWhyAndCaptureNothing) {
    const QString notFound = QStringLiteral("Cannot find any active Window !");
    const std::pair<QString, QString> rows[] = {
        {QString::number(addWindow(QRect(0, 0, 1280, 800), true)), "Window was not active !"},
        {QString::number(addWindow(QRect())), notFound},  // minimised
        {QString::number(addWindow(QRect(2000, 100, 300, 200))), notFound},
        {"closed window", notFound},
    };
    for (bool silent : {false, true}) {
        for (const auto& [target, message] : rows) {
            SCOPED_TRACE(target.toStdString());
            mainWindow().resetAfterRelease();
            fake.dialogs().messages.clear();
            prog.autocapture.autocapturerunning = silent;
            captureActiveWindow(target);
            if (silent) {
                EXPECT_TRUE(fake.dialogs().messages.empty());
            } else {
                ASSERT_EQ(fake.dialogs().messages.size(), 1u);
                const auto& shown = fake.dialogs().messages.front();
                EXPECT_EQ(shown.text, message);
                EXPECT_EQ(shown.title, " Quorvalline ");
                EXPECT_EQ(shown.icon, platform::MsgIcon::Information);
            }
            EXPECT_FALSE(shellState().pendingwindow);
            EXPECT_FALSE(shellState().captureavailable);
            EXPECT_TRUE(buffer().isNull());
        }
    }
}

TEST_F(OneStepCaptureTest, AutoCaptureTakesThePictureWithoutAfterCaptureActions) {
    prog.autocapture.autocapturerunning = true;
    settings().releaseAfterCapture = true;
    settings().autoCopy = true;
    captureActiveWindow(QString::number(addWindow(QRect(10, 20, 30, 40))));
    EXPECT_EQ(buffer(), screen(QRect(10, 20, 30, 40)));
    EXPECT_EQ(fake.clipboard().clears, 0);
    EXPECT_TRUE(fake.sound().played.empty());
    EXPECT_TRUE(shellState().desktopfrozen);
}

TEST_F(OneStepCaptureTest, ASelectedObjectOnlyPausesAndKeepsTheRequest) {
    freeze();
    CanvasShape* handle = frozenScreen().Picture1->addShape(CanvasItem::Role::Selection);
    fake.clock().sleeps.clear();
    const int processed = fake.clock().processEventsCalls;
    shellState().pendingscreen = true;
    QWidget other;
    other.show();
    const auto activate = [&] {
        QApplication::setActiveWindow(&other);
        QApplication::setActiveWindow(&frozenScreen());
    };
    activate();
    EXPECT_EQ(fake.clock().sleeps, std::vector<int>{300});
    EXPECT_GT(fake.clock().processEventsCalls, processed);
    EXPECT_TRUE(shellState().pendingscreen);
    EXPECT_TRUE(buffer().isNull());

    handle->hide();
    activate();
    EXPECT_FALSE(shellState().pendingscreen);
    EXPECT_EQ(buffer(), fake.desktop().screen);
}

using AfterCaptureTest = CaptureTest;

TEST_F(AfterCaptureTest, EveryCaptureEmptiesTheClipboardAutocopyFillsItAndTheSoundPlays) {
    for (bool autocopy : {false, true}) {
        SCOPED_TRACE(autocopy);
        mainWindow().resetAfterRelease();
        fake.clipboard().textContent = QStringLiteral("old");
        fake.clipboard().clears = 0;
        fake.clock().sleeps.clear();
        settings().autoCopy = autocopy;
        settings().soundFile = QStringLiteral("/sounds/click.wav");
        captureEntireScreen();
        EXPECT_EQ(fake.sound().played.back(), "/sounds/click.wav");
        EXPECT_EQ(fake.clipboard().clears, 1);
        EXPECT_TRUE(fake.clipboard().textContent.isNull());
        EXPECT_EQ(fake.clipboard().imageContent, autocopy ? fake.desktop().screen : QImage());
        EXPECT_EQ(fake.clock().sleeps, autocopy ? std::vector<int>{500} : std::vector<int>{});
    }
}

TEST_F(AfterCaptureTest, PopupAndReleaseFollowTheOptionsUnlessObjectsWereAdded) {
    struct Row {
        bool popup, release, objects, popped, released;
    };
    const Row rows[] = {
        {false, false, false, false, false}, {true, false, false, true, false},
        {false, true, false, false, true},   {true, true, false, true, false},
        {false, false, true, false, false},  {true, false, true, false, false},
        {false, true, true, false, false},   {true, true, true, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.popup << row.release << row.objects);
        mainWindow().resetAfterRelease();
        freeze();
        settings().autoPopupMenu = row.popup;
        settings().releaseAfterCapture = row.release;
        prog.objects.objectsadded = row.objects;
        answerNextMenu();
        frozenScreen().releaseAfterOneStepCapture();
        menuAnswer.stop();

        EXPECT_EQ(popped == mainWindow().contextMenu, row.popped);
        EXPECT_EQ(poppedDefault, row.popped ? mainWindow().contextReleaseItem : nullptr);
        EXPECT_EQ(!shellState().desktopfrozen, row.released);
        EXPECT_EQ(!forms().frozenScreen.isLoaded(), row.released);
    }
}

TEST_F(AfterCaptureTest, ReleaseChosenFromThePoppedMenuInsideTheCaptureIsSafe) {
    settings().autoPopupMenu = true;
    settings().autoCopy = true;
    answerNextMenu(mainWindow().contextReleaseItem);
    captureEntireScreen();
    EXPECT_EQ(popped, mainWindow().contextMenu);
    EXPECT_FALSE(shellState().desktopfrozen);
    EXPECT_FALSE(forms().frozenScreen.isLoaded());
    flushDrops();
    // The capture reached the clipboard before the release dropped the buffer.
    EXPECT_EQ(fake.clipboard().imageContent, fake.desktop().screen);
    EXPECT_TRUE(buffer().isNull());
}

TEST_F(AfterCaptureTest, TheDotsMarkerCyclesFromOneToTenDots) {
    freeze();
    FrozenScreen& f2 = frozenScreen();
    EXPECT_EQ(f2.Label2->caption(), "............");
    EXPECT_FALSE(f2.Timer1->isActive());
    f2.Timer1->start(200);
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2}) {
        fake.clock().advance(200);
        EXPECT_EQ(f2.Label2->caption(), QString(n, QLatin1Char('.')));
    }
    fake.clock().advance(199);
    EXPECT_EQ(f2.Label2->caption(), "..");
}

TEST(ClipboardClass, MaskTable) {
    const char* expected[16] = {"nothing", "text",    "bitmap", "nothing", "bitmap",  "nothing",
                                "bitmap",  "nothing", "text",   "text",    "nothing", "nothing",
                                "nothing", "nothing", "bitmap", "nothing"};
    for (int mask = 0; mask < 16; ++mask)
        EXPECT_EQ(Module2::ClipboardClassOf(mask), expected[mask]) << mask;
}

using ClipboardMenuTest = CaptureTest;

TEST_F(ClipboardMenuTest, ClassifiesWhatTheClipboardHoldsAndEnablesPaste) {
    struct Row {
        bool text, image, rich;
        int mask;
        const char* cls;
    };
    const Row rows[] = {
        {false, false, false, 0, "nothing"}, {true, false, false, 1, "text"},
        {false, true, false, 6, "bitmap"},   {true, true, false, 7, "nothing"},
        {false, false, true, 8, "text"},     {false, true, true, 14, "bitmap"},
    };
    auto& clip = fake.clipboard();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mask);
        clip.textContent = row.text ? QStringLiteral("words") : QString();
        clip.imageContent = row.image ? QImage(4, 4, QImage::Format_RGB32) : QImage();
        clip.richText = row.rich;
        EXPECT_EQ(Module2::ClipboardFormatMask(), row.mask);
        EXPECT_EQ(Module2::ClassifyClipboard(), row.cls);
        Module2::updateClipboardMenus();
        EXPECT_EQ(mainWindow().pasteItem->isEnabled(), QString(row.cls) != "nothing");
    }
}

TEST_F(ClipboardMenuTest, OutputItemsFollowWhetherACaptureExists) {
    MainWindow& f1 = mainWindow();
    for (bool capture : {true, false}) {
        SCOPED_TRACE(capture);
        shellState().captureavailable = capture;
        Module2::updateClipboardMenus();
        for (QAction* item :
             {f1.saveToDefaultFolderItem, f1.saveAsItem, f1.printToDefaultPrinterItem, f1.printItem,
              f1.pageSetupItem, f1.copyItem, f1.emailItem})
            EXPECT_EQ(item->isEnabled(), capture) << item->text().toStdString();
        EXPECT_TRUE(f1.pastingApplicationItem->isEnabled());
    }
}

}  // namespace
}  // namespace qv::shell::capturetests
