#pragma once

struct xcb_connection_t;

namespace qv::platform {

// A connection to the X display named by DISPLAY, held while it lives. Qt aborts when its X11
// platform finds no server, so the program asks first; and it keeps asking's connection open
// until Qt has its own, as a server whose last client leaves resets and drops a connection
// that arrives meanwhile.
class DisplayProbe {
public:
    DisplayProbe();
    ~DisplayProbe();
    DisplayProbe(const DisplayProbe&) = delete;
    DisplayProbe& operator=(const DisplayProbe&) = delete;

    bool connected() const { return connected_; }

private:
    xcb_connection_t* connection_;
    bool connected_;
};

}  // namespace qv::platform
