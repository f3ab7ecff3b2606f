#include "output/pastingapplication.h"

#include "capture/capturestate.h"
#include "capture/shellcontrol.h"
#include "options/helpfile.h"
#include "options/settings.h"
#include "options/state.h"
#include "output/state.h"
#include "platform/services.h"

namespace qv::output {

namespace {

constexpr int kLastFailure = 32;    // results up to here name why the launch failed
constexpr int kFirstWaited = 42;    // from here on the program's window is waited for
constexpr int kFrontWaitMs = 5000;  // how long a started program has to come to the front

// The window the frozen screen found in front, while it is still there. Once it has gone, the
// X server may hand its id to a window of the program about to start, which is then a new one.
platform::WindowId frontStillThere() {
    const platform::WindowId front = capture::state().frozenForeground;
    const platform::Desktop& desktop = platform::desktop();
    return desktop.isDesktop(front) || !desktop.windowFrame(front).isEmpty() ? front : 0;
}

// The program did not come to the front: the foreground window is still the one in front
// before the start, or is one of this program's own.
bool stayedBehind(platform::WindowId foreground, platform::WindowId frontBefore) {
    return foreground == frontBefore || platform::desktop().isOwnWindow(foreground);
}

// A remembered window is still the pasting application's while the process that had made it
// when it was remembered is its maker: after that program ended, the X server may give its id
// to another program's window, which must not be brought up in its place.
bool madeByTheSameProcess(platform::WindowId window, qint64 maker) {
    return platform::shell().windowProcess(window) == maker;
}

}  // namespace

QString pastingLaunchMessage(int result) {
    const QString listed = options::helpLaunchMessage(result);
    return listed.isEmpty() ? QStringLiteral("The application could not be started !") : listed;
}

void startPastingApplication() {
    const options::Settings& settings = options::state().settings;
    const bool restoreExisting = settings.pastingLaunch == options::PastingLaunch::RestoreExisting;
    State& outputState = output::state();
    platform::WindowId& known = outputState.pastingAppWindow;
    // The frozen screen may still be on its way to the front; the program must come after it.
    platform::desktop().settleActivation();

    if (restoreExisting && known != 0 &&
        (!madeByTheSameProcess(known, outputState.pastingAppProcess) ||
         !platform::shell().restoreWindow(known)))
        known = 0;
    if (settings.pastingLaunch == options::PastingLaunch::NewInstance)
        known = 0;
    // The window came back; the desktop stays frozen to paste into it.
    if (known != 0)
        return;

    const platform::WindowId frontBefore = frontStillThere();
    // One program path or name, never split into words.
    const int result = platform::shell().start(settings.pastingAppPath, {});
    if (result <= kLastFailure) {
        platform::dialogs().message(pastingLaunchMessage(result), platform::MsgButtons::Ok,
                                    platform::MsgIcon::Critical, QStringLiteral(" Quorvalline "),
                                    capture::shellControl().frozenScreenIfExists());
    } else if (result >= kFirstWaited) {
        platform::clock().processEvents();
        platform::clock().sleep(kFrontWaitMs);
        const platform::WindowId foreground = platform::desktop().foregroundWindow();
        const platform::WindowId started = platform::shell().startedWindow();
        // The started program's own window is new, whatever id it was given.
        const bool foundByProcess = started != 0 && foreground == started;
        if (!foundByProcess && stayedBehind(foreground, frontBefore)) {
            known = 0;
            if (restoreExisting) {
                platform::dialogs().message(
                    QStringLiteral("Could not optain a handle to Application, please Start "
                                   "Application again from the context menu and wait 5 seconds !"),
                    platform::MsgButtons::Ok, platform::MsgIcon::Information,
                    QStringLiteral("Quorvalline"), capture::shellControl().frozenScreenIfExists());
            }
            return;
        }
        known = foreground;
        outputState.pastingAppProcess = platform::shell().windowProcess(foreground);
    }
    if (settings.releaseAfterCapture)
        capture::shellControl().releaseDesktop();
}

}  // namespace qv::output
