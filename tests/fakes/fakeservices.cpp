#include "fakes/fakeservices.h"

#include <QDir>
#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "platform/clock.h"
#include "platform/linux/qtprinter.h"

namespace qv::fakes {

FakeDesktop::FakeDesktop() : screen(1280, 800, QImage::Format_RGB32) {
    screen.fill(Qt::darkCyan);
}

QImage FakeDesktop::grab(const QRect& rect) {
    if (onGrab)
        onGrab();
    return screen.copy(rect.intersected(screen.rect()));
}

void FakeDesktop::settle() {
    ++settles;
    const platform::Clock::Wait wait;
    if (duringSettle)
        duringSettle();
}

namespace {

class CountingPointer : public platform::BusyPointer {
public:
    explicit CountingPointer(int& count) : count_(count) { ++count_; }
    ~CountingPointer() override { --count_; }

private:
    int& count_;
};

}  // namespace

std::unique_ptr<platform::BusyPointer> FakeDesktop::busyPointer() {
    return std::make_unique<CountingPointer>(busyPointers);
}

bool FakeDesktop::isOwnWindow(platform::WindowId w) const {
    if (w == 0)
        return false;
    if (ownWindows.contains(w))
        return true;
    if (!qGuiApp)
        return false;
    const QWindowList ours = QGuiApplication::allWindows();
    return std::any_of(ours.begin(), ours.end(),
                       [w](QWindow* window) { return window->handle() && window->winId() == w; });
}

int FakeHotkeys::registerHotkey(int id, int modifiers, char key) {
    const Combination c{modifiers, key};
    if (std::find(heldElsewhere.begin(), heldElsewhere.end(), c) != heldElsewhere.end()) {
        return takenError;
    }
    for (auto it = registered.cbegin(); it != registered.cend(); ++it) {
        if (it.key() != id && it.value() == c)
            return takenError;
    }
    registered.insert(id, c);
    return 0;
}

bool FakeHotkeys::unregisterHotkey(int id) {
    return registered.remove(id) > 0;
}

bool FakeHotkeys::press(int id) {
    if (!registered.contains(id))
        return false;
    if (onHotkey)
        onHotkey(id);
    return true;
}

void FakeTray::add(const QIcon&, const QString& newTip) {
    shown = true;
    tip = newTip;
}

void FakeClipboard::clear() {
    ++clears;
    textContent = QString();
    imageContent = QImage();
    richText = false;
}

void FakeClipboard::setImage(const QImage& img) {
    textContent = QString();
    richText = false;
    imageContent = img;
}

platform::ClipboardPicture FakeClipboard::picture() const {
    using Problem = platform::ClipboardPicture::Problem;
    if (!tooBigImage.isEmpty())
        return {QImage(), Problem::TooBig, tooBigImage};
    if (unreadableImage || imageContent.isNull())
        return {QImage(), Problem::Unreadable, QSize()};
    return {imageContent, Problem::None, imageContent.size()};
}

int FakeShell::open(const QString& target) {
    opened.push_back(target);
    return result;
}

int FakeShell::start(const QString& program, const QStringList& arguments) {
    started.push_back({program, arguments});
    if (onStart)
        onStart();
    return result;
}

bool FakeShell::restoreWindow(platform::WindowId w) {
    restored.push_back(w);
    return liveWindows.contains(w);
}

FakeMemoryFile::FakeMemoryFile(bool full)
    : file_(QDir(QDir::tempPath()).filePath(QStringLiteral("fake-memory-file-XXXXXX"))),
      full_(QStringLiteral("/dev/full")) {
    file_.open();
    if (full)
        full_.open(QIODevice::WriteOnly);
}

std::unique_ptr<platform::MemoryFile> FakeProcess::memoryFile(const QString&) {
    if (!memoryFiles)
        return nullptr;
    auto file = std::make_unique<FakeMemoryFile>(memoryFull);
    if (!file->opened())
        return nullptr;
    memoryFilesMade.push_back(file->path());
    return file;
}

platform::ProcessResult FakeProcess::run(const QString& program, const QStringList& arguments,
                                         int timeoutMs, const platform::MemoryFile* handedOver) {
    calls.push_back({program, arguments, timeoutMs, handedOver ? handedOver->path() : QString()});
    if (behaviour)
        return behaviour(calls.back());
    return {platform::ProcessResult::Status::Finished, 0, {}};
}

bool FakePrinter::choosePrinter(const QString& queue) {
    chosen << queue;
    if (!queues.contains(queue))
        return false;
    name = queue;
    isUsable = true;
    return true;
}

platform::PrinterMetrics FakePrinter::metrics() const {
    if (!isUsable)
        return {};
    if (orientationNow == platform::PrintOrientation::Portrait)
        return {portraitPaper, portraitPrintable, dpi, dpi};
    const QRect p = portraitPrintable;
    return {portraitPaper.transposed(),
            QRect(p.y(), portraitPaper.width() - p.right() - 1, p.height(), p.width()), dpi, dpi};
}

std::optional<platform::PrintFailure> FakePrinter::printImage(const QImage& image,
                                                              const QRectF& target, int copies) {
    if (!isUsable)
        return notUsableFailure();
    if (failNext)
        return std::exchange(failNext, std::nullopt);
    (recordInto ? recordInto->pages : pages)
        .push_back({name, metrics().paperMm(), orientationNow, copies, image, target});
    return std::nullopt;
}

std::optional<platform::PrinterChoice> FakePrinter::runPrintDialog(platform::PrintDialogKind kind,
                                                                   QWidget* owner) {
    dialogsShown.push_back({kind, owner});
    if (dialogAnswers.empty())
        return std::nullopt;
    auto answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
}

std::unique_ptr<platform::Printer> FakePrinter::printerForFile(const QString& path) {
    if (realFiles)
        return platform::QtPrinter::onPdfFile(path);
    auto file = std::make_unique<FakePrinter>();
    file->queues.clear();
    file->name = path;
    file->portraitPaper = portraitPaper;
    file->portraitPrintable = portraitPrintable;
    file->dpi = dpi;
    file->orientationNow = orientationNow;
    file->paper = paper;
    file->recordInto = this;
    return file;
}

void FakePrinter::removePrinter() {
    queues.clear();
    name.clear();
    isUsable = false;
}

}  // namespace qv::fakes
