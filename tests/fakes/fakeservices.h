#pragma once

// Recording fakes of the smaller platform services. Each one keeps what the code asked of it
// in public members that tests read, and answers from public members that tests set.

#include <QHash>
#include <QImage>
#include <QMap>
#include <QSet>
#include <QTemporaryFile>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "platform/hotkeys.h"
#include "platform/locale.h"
#include "platform/mail.h"
#include "platform/printer.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/tray.h"

namespace qv::fakes {

class FakeDesktop : public platform::Desktop {
public:
    struct Window {
        QString title;
        QRect frame;
        bool desktop = false;
    };

    FakeDesktop();
    QSize screenSize() const override { return screen.size(); }
    int logicalDpiX() const override { return dpiX; }
    int logicalDpiY() const override { return dpiY; }
    QImage grab(const QRect& rect) override;
    platform::WindowId foregroundWindow() const override { return foreground; }
    QString windowTitle(platform::WindowId w) const override { return windows.value(w).title; }
    QRect windowFrame(platform::WindowId w) const override { return windows.value(w).frame; }
    bool isDesktop(platform::WindowId w) const override {
        return w == 0 || windows.value(w).desktop;
    }
    platform::WindowId lastForeignWindow() const override { return lastForeign; }
    QPoint cursorPos() const override { return cursor; }
    bool leftButtonDown() const override { return leftButton; }
    std::unique_ptr<platform::BusyPointer> busyPointer() override;
    void flush() override { ++flushes; }
    void settle() override;
    // Windows of the Qt application and those a test names count as this program's.
    bool isOwnWindow(platform::WindowId w) const override;
    void keepAbove(platform::WindowId w, bool above) override { keptAbove[w] = above; }
    void stackBelow(platform::WindowId w, platform::WindowId other) override {
        stackedBelow.emplace_back(w, other);
    }
    // A window becomes the foreground one, as the window system would say.
    void activate(platform::WindowId w) {
        foreground = w;
        if (onForegroundChanged)
            onForegroundChanged(w);
    }

    QImage screen;  // what the screen shows; grabs copy from it
    int dpiX = 96;
    int dpiY = 96;
    QHash<platform::WindowId, Window> windows;
    platform::WindowId foreground = 0;
    platform::WindowId lastForeign = 0;
    QPoint cursor;
    bool leftButton = false;
    int busyPointers = 0;  // guards alive now
    int flushes = 0;
    int settles = 0;
    std::function<void()> onGrab;        // runs at the start of every grab
    std::function<void()> duringSettle;  // what arrives while the screen settles, e.g. a press
    QHash<platform::WindowId, bool> keptAbove;  // the last keepAbove() asked for each window
    std::vector<std::pair<platform::WindowId, platform::WindowId>> stackedBelow;
    QSet<platform::WindowId> ownWindows;  // the windows of this program
};

class FakeHotkeys : public platform::Hotkeys {
public:
    struct Combination {
        int modifiers;
        char key;
        bool operator==(const Combination&) const = default;
    };
    int registerHotkey(int id, int modifiers, char key) override;
    bool unregisterHotkey(int id) override;
    // Runs the callback as a press of the combination registered under id would.
    bool press(int id);

    QMap<int, Combination> registered;
    std::vector<Combination> heldElsewhere;  // combinations another program holds
    int takenError = platform::hotkeyerror::AlreadyRegistered;  // the error number for those
};

class FakeTray : public platform::Tray {
public:
    bool isAvailable() const override { return available; }
    void add(const QIcon& icon, const QString& tip) override;
    void remove() override { shown = false; }
    bool isShown() const override { return shown; }
    void fire(platform::TrayEvent e) {
        if (onEvent)
            onEvent(e);
    }

    bool available = true;
    bool shown = false;
    QString tip;
};

class FakeClipboard : public platform::Clipboard {
public:
    void clear() override;
    void setImage(const QImage& img) override;
    platform::ClipboardFormats formats() const override {
        return {!textContent.isNull(),
                !imageContent.isNull() || unreadableImage || !tooBigImage.isEmpty(), richText};
    }
    QString text() const override { return textContent; }
    platform::ClipboardPicture picture() const override;

    QString textContent;
    QImage imageContent;
    bool richText = false;
    bool unreadableImage = false;  // offers a picture that cannot be read
    QSize tooBigImage;             // offers a picture of this size, too big for the memory
    int clears = 0;
};

class FakeShell : public platform::Shell {
public:
    int open(const QString& target) override;
    int start(const QString& program, const QStringList& arguments) override;
    // True for the windows in liveWindows.
    bool restoreWindow(platform::WindowId w) override;
    platform::WindowId startedWindow() const override { return startedWindowId; }
    // From windowProcesses; 0 for a window not listed there.
    qint64 windowProcess(platform::WindowId w) const override {
        return windowProcesses.value(w, 0);
    }

    struct Start {
        QString program;
        QStringList arguments;
    };
    std::vector<QString> opened;
    std::vector<Start> started;
    std::vector<platform::WindowId> restored;  // every restoreWindow() asked, in order
    int result = platform::shellresult::LaunchOk;
    QList<platform::WindowId> liveWindows;
    platform::WindowId startedWindowId = 0;
    QHash<platform::WindowId, qint64> windowProcesses;
    std::function<void()> onStart;  // runs at each start, e.g. to bring a window to the front
};

// A memory file of the fake: a file in the temporary folder, so that a test sees it go. A full
// one takes no byte (its writes go to /dev/full).
class FakeMemoryFile : public platform::MemoryFile {
public:
    explicit FakeMemoryFile(bool full);
    QFileDevice& device() override {
        return full_.isOpen() ? static_cast<QFileDevice&>(full_) : file_;
    }
    QString path() const override { return file_.fileName(); }
    int descriptor() const override { return -1; }
    bool opened() const { return file_.isOpen(); }

private:
    QTemporaryFile file_;
    QFile full_;
};

class FakeProcess : public platform::Process {
public:
    using platform::Process::run;
    platform::ProcessResult run(const QString& program, const QStringList& arguments, int timeoutMs,
                                const platform::MemoryFile* handedOver) override;
    std::unique_ptr<platform::MemoryFile> memoryFile(const QString& name) override;

    struct Call {
        QString program;
        QStringList arguments;
        int timeoutMs;
        QString handedOver;  // the path of the memory file the program got, if any
    };
    std::vector<Call> calls;
    // Decides each run's result; the default finishes with exit code 0.
    std::function<platform::ProcessResult(const Call&)> behaviour;
    // Off, the system makes no memory files; full, they take no byte.
    bool memoryFiles = true;
    bool memoryFull = false;
    std::vector<QString> memoryFilesMade;  // their paths, in order
};

class FakeMail : public platform::Mail {
public:
    QString sendDocument(const QString& filePath) override {
        sent.push_back(filePath);
        if (onSend)
            onSend();
        return failure;
    }

    std::vector<QString> sent;     // every path handed over, in order
    QString failure;               // the answer: empty for success, else why it failed
    std::function<void()> onSend;  // runs at each send, to look at the program then
};

class FakeSound : public platform::Sound {
public:
    void play(const QString& wavPath) override { played.push_back(wavPath); }
    std::vector<QString> played;
};

class FakeLocale : public platform::Locale {
public:
    QString measurementSystem() const override { return measurement; }
    QString decimalSeparator() const override { return separator; }
    QString timeFormat() const override { return time; }
    QString measurement = QStringLiteral("0");
    QString separator = QStringLiteral(".");
    QString time = QStringLiteral("HH:mm:ss");
};

// An A4 printer at 600 dpi until a test says otherwise. Each print is recorded as a page.
class FakePrinter : public platform::Printer {
public:
    struct Page {
        QString printer;
        QSizeF paperMm;  // in the orientation printed
        platform::PrintOrientation orientation;
        int copies;
        QImage image;
        QRectF targetMm;
    };

    QStringList printers() const override { return queues; }
    QString defaultPrinter() const override { return queues.value(0); }
    bool choosePrinter(const QString& name) override;
    QString deviceName() const override { return isUsable ? name : QString(); }
    bool usable() const override { return isUsable; }
    platform::PrinterMetrics metrics() const override;
    platform::PrintOrientation orientation() const override { return orientationNow; }
    void setOrientation(platform::PrintOrientation o) override { orientationNow = o; }
    int copies() const override { return copiesNow; }
    void setCopies(int c) override { copiesNow = c; }
    QPageSize paperSize() const override { return paper; }
    void setPaperSize(const QPageSize& size) override { paper = size; }
    int paperSource() const override { return source; }
    void setPaperSource(int s) override { source = s; }
    platform::PrintColorMode colorMode() const override { return color; }
    void setColorMode(platform::PrintColorMode mode) override { color = mode; }
    platform::PrintDuplex duplex() const override { return duplexNow; }
    void setDuplex(platform::PrintDuplex d) override { duplexNow = d; }
    std::optional<platform::PrintFailure> printImage(const QImage& image, const QRectF& target,
                                                     int copies) override;
    // Answers from dialogAnswers, in turn; cancel once they run out.
    std::optional<platform::PrinterChoice> runPrintDialog(platform::PrintDialogKind kind,
                                                          QWidget* owner) override;
    // A printer like this one named after the file; its pages are recorded here.
    std::unique_ptr<platform::Printer> printerForFile(const QString& path) override;

    // Takes the printer away, as on a system with no queue.
    void removePrinter();

    QStringList queues{QStringLiteral("office")};
    QString name = QStringLiteral("office");
    bool isUsable = true;
    // The portrait sheet and printable area in device pixels; landscape swaps them.
    QSize portraitPaper{4960, 7016};
    QRect portraitPrintable{96, 96, 4768, 6824};
    int dpi = 600;
    platform::PrintOrientation orientationNow = platform::PrintOrientation::Portrait;
    int copiesNow = 1;
    QPageSize paper{QPageSize::A4};
    int source = 0;
    platform::PrintColorMode color = platform::PrintColorMode::Color;
    platform::PrintDuplex duplexNow = platform::PrintDuplex::Simplex;
    // The next print fails with this, once.
    std::optional<platform::PrintFailure> failNext;
    std::vector<Page> pages;
    QStringList chosen;  // the printers choosePrinter was asked for

    struct DialogShown {
        platform::PrintDialogKind kind;
        QWidget* owner;
    };
    std::deque<std::optional<platform::PrinterChoice>> dialogAnswers;
    std::vector<DialogShown> dialogsShown;
    FakePrinter* recordInto = nullptr;  // where a file printer's pages go
    bool realFiles = false;             // a file printer writes a real PDF
};

}  // namespace qv::fakes
