#include "fakes/fakeservices.h"

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>

namespace qv::fakes {

FakeDesktop::FakeDesktop() : screen(1280, 800, QImage::Format_RGB32) {
    screen.fill(Qt::darkCyan);
}

QImage FakeDesktop::grab(const QRect& rect) {
    if (onGrab)
        onGrab();
    return screen.copy(rect.intersected(screen.rect()));
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
    if (w == 0 || !qGuiApp)
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

platform::ProcessResult FakeProcess::run(const QString& program, const QStringList& arguments,
                                         int timeoutMs) {
    calls.push_back({program, arguments, timeoutMs});
    if (behaviour)
        return behaviour(calls.back());
    return {platform::ProcessResult::Status::Finished, 0, {}};
}

}  // namespace qv::fakes
