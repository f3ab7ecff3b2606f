#pragma once

#include <QDeadlineTimer>
#include <cstdint>
#include <functional>

namespace qv::platform {

// Runs the events pending now that only repaint the program's windows (exposes, updates,
// posted events) and sends the new pixels to the X server. User input, timers and sockets
// wait, so nothing the user does and no other job of the program runs in between.
void processPaintEvents();

// Like processPaintEvents(), but first waits until every event the X server sent before now
// has reached the program: Qt reads them on a thread of its own, and a busy machine can leave
// an expose unread for a while after the server has sent it.
void processPaintEventsSentSoFar();

// Ends a stretch of processPaintEvents(): the input that came meanwhile is handled on the
// next turn of the event loop, in its order, even when nothing else arrives from the server.
void releaseHeldInput();

// Waits until done(sliceMs), which may itself block up to sliceMs, says the job is done, the
// deadline passes or stopWaits() is called; meanwhile the program's windows keep painting and
// input waits, as in the clock's waits. True when done. Hotkeys pressed during the wait are
// dropped (see pressedDuringAWait()): the user saw nothing happen and has moved on.
bool waitPainting(const std::function<bool(int sliceMs)>& done, QDeadlineTimer deadline);

// The program is ending: waitPainting() returns at its next slice, now and from now on, so
// that what it waits for can be ended. Safe to call from a signal handler.
void stopWaits() noexcept;
bool waitsStopped();

// Whether an input event of the X server's time serverTime came while a waitPainting() held
// input back (or before), rather than after the last such wait ended.
bool pressedDuringAWait(uint32_t serverTime);

}  // namespace qv::platform
