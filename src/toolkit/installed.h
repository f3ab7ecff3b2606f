#pragma once

#include <QtGlobal>

namespace qv::toolkit {

// The one object of type T that the running program has installed: main() installs one for
// the whole run, each test its own, and the previous one comes back when an installation
// ends, so nothing leaks from one test into the next. Each subsystem keeps its shared state
// and windows in one such object; no other global is needed.
template <class T>
class Installed {
public:
    explicit Installed(T& object) : previous_(current_) { current_ = &object; }
    ~Installed() { current_ = previous_; }
    Installed(const Installed&) = delete;
    Installed& operator=(const Installed&) = delete;

    static T& get() {
        Q_ASSERT_X(current_, "toolkit::Installed", "nothing installed");
        return *current_;
    }

private:
    T* previous_;
    static inline T* current_ = nullptr;
};

}  // namespace qv::toolkit
