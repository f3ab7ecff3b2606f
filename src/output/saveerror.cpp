#include "output/saveerror.h"

#include "platform/services.h"

namespace qv::output {

QString SaveError::message() const {
    return QStringLiteral("Error: %1  %2 !!").arg(number).arg(description);
}

void showSaveError(const SaveError& error) {
    platform::dialogs().message(error.message(), platform::MsgButtons::Ok,
                                platform::MsgIcon::Critical, QStringLiteral(" Quorvalline "));
}

}  // namespace qv::output
