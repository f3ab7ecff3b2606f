#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

namespace qv::toolkit {

// A window that exists from its first use until it is dropped; the next use after a drop
// builds a fresh one, so its load runs again. The constructor of Form is its load, followed by
// Form::load() when the form has one.
template <class Form>
class LazyForm {
public:
    using Factory = std::function<std::unique_ptr<Form>()>;

    LazyForm() : factory_([] { return std::make_unique<Form>(); }) {}
    explicit LazyForm(Factory factory) : factory_(std::move(factory)) {}
    ~LazyForm() { destroy(); }
    LazyForm(const LazyForm&) = delete;
    LazyForm& operator=(const LazyForm&) = delete;

    Form& get() {
        if (!form_) {
            form_ = factory_().release();
            // A window whose load reaches windows that reach back into it keeps that load in
            // load(), run once the window can be found through this accessor.
            if constexpr (requires(Form & f) { f.load(); })
                form_->load();
        }
        return *form_;
    }
    Form* operator->() { return &get(); }

    bool isLoaded() const { return !form_.isNull(); }
    // The form if it exists; never creates it.
    Form* peek() const { return form_.data(); }

    // Hides the window and lets it go once control is back in the event loop, so a drop from
    // inside one of its own handlers is safe. The next get() builds a new window at once.
    void drop() {
        if (!form_)
            return;
        Form* old = form_.data();
        form_.clear();
        old->hide();
        old->deleteLater();
    }

    // Deletes the window now, for the end of the program; never from its own handlers.
    void destroy() { std::unique_ptr<Form> gone(form_.data()); }

private:
    Factory factory_;
    QPointer<Form> form_;
};

}  // namespace qv::toolkit
