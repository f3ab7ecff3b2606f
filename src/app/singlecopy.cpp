#include "app/singlecopy.h"

#include <cstdio>
#include <cstdlib>

#include "platform/dialogs.h"
#include "platform/instancelock.h"

namespace qv {

namespace {

const char kAlreadyRunningText[] = "Quorvalline is already running.";

void tell(platform::Dialogs& dialogs, const QString& text, platform::MsgIcon icon) {
    std::fprintf(stderr, "quorvalline: %s\n", qPrintable(text));
    dialogs.message(text, platform::MsgButtons::Ok, icon, QStringLiteral(" Quorvalline "), nullptr);
}

}  // namespace

std::optional<int> endUnlessOnlyCopy(platform::InstanceLock& lock, platform::Dialogs& dialogs) {
    using Outcome = platform::InstanceLock::Outcome;
    switch (lock.take()) {
        case Outcome::Taken:
            return std::nullopt;
        case Outcome::HeldElsewhere:
            tell(dialogs, QString::fromLatin1(kAlreadyRunningText), platform::MsgIcon::Information);
            return EXIT_SUCCESS;
        case Outcome::Unavailable:
            // Going on could put a second copy beside a first one.
            tell(dialogs,
                 QStringLiteral("Quorvalline cannot tell whether it is already running, so it "
                                "does not start: no lock could be taken (%1).")
                     .arg(lock.problem()),
                 platform::MsgIcon::Critical);
            return EXIT_FAILURE;
    }
    return EXIT_FAILURE;
}

}  // namespace qv
