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

// The program did not come to the front: the foreground window is still the one the frozen
// screen found, or is one of this program's own.
bool stayedBehind(platform::WindowId foreground) {
    return foreground == capture::state().frozenForeground ||
           platform::desktop().isOwnWindow(foreground);
}

}  // namespace

QString pastingLaunchMessage(int result) {
    const QString listed = options::helpLaunchMessage(result);
    return listed.isEmpty() ? QStringLiteral("The application could not be started !") : listed;
}

void startPastingApplication() {
    const options::Settings& settings = options::state().settings;
    const bool restoreExisting = settings.pastingLaunch == options::PastingLaunch::RestoreExisting;
    platform::WindowId& known = output::state().pastingAppWindow;
    // The frozen screen may still be on its way to the front; the program must come after it.
    platform::desktop().settleActivation();

    if (restoreExisting && known != 0 && !platform::shell().restoreWindow(known))
        known = 0;
    if (settings.pastingLaunch == options::PastingLaunch::NewInstance)
        known = 0;
    // The window came back; the desktop stays frozen to paste into it.
    if (known != 0)
        return;

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
        if (stayedBehind(foreground)) {
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
    }
    if (settings.releaseAfterCapture)
        capture::shellControl().releaseDesktop();
}

}  // namespace qv::output
