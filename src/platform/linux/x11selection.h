#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

namespace qv::platform::x11 {

// The names of the formats (targets) the owner of the CLIPBOARD selection offers, asked on a
// connection of our own to the display (null: $DISPLAY). Nothing when no one owns the selection,
// the owner refuses, or it has not answered within deadlineMs, counted over the whole exchange.
// Never ask this while the application owns the selection itself: its answer would wait for
// the event loop that this call holds up.
std::optional<QList<QByteArray>> clipboardTargets(const char* display, int deadlineMs);

}  // namespace qv::platform::x11
