#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

namespace qv::toolkit {

// A window that exists from its first use until it is dropped; the next use after a drop
// builds a fresh one, so its load runs again. The constructor of Window is its load, followed
// by Window::load() when the window has one.
template <class Window>
class LazyWindow {
public:
    using Factory = std::function<std::unique_ptr<Window>()>;

    LazyWindow() : factory_([] { return std::make_unique<Window>(); }) {}
    explicit LazyWindow(Factory factory) : factory_(std::move(factory)) {}
    ~LazyWindow() { destroy(); }
    LazyWindow(const LazyWindow&) = delete;
    LazyWindow& operator=(const LazyWindow&) = delete;

    Window& get() {
        if (!window_) {
            window_ = factory_().release();
            // A window whose load reaches windows that reach back into it keeps that load in
            // load(), run once the window can be found through this accessor.
            if constexpr (requires(Window & w) { w.load(); })
                window_->load();
        }
        return *window_;
    }
    Window* operator->() { return &get(); }

    bool exists() const { return !window_.isNull(); }
    // The window if it exists; never creates it.
    Window* peek() const { return window_.data(); }

    // Hides the window and lets it go once control is back in the event loop, so a drop from
    // inside one of its own handlers is safe. The next get() builds a new window at once.
    void drop() {
        if (!window_)
            return;
        Window* old = window_.data();
        window_.clear();
        old->hide();
        old->deleteLater();
    }

    // Deletes the window now, for the end of the program; never from its own handlers.
    void destroy() { std::unique_ptr<Window> gone(window_.data()); }

private:
    Factory factory_;
    QPointer<Window> window_;
};

}  // namespace qv::toolkit
