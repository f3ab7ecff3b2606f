#include "platform/linux/xdgmail.h"

#include <QFileInfo>

namespace qv::platform {

QString XdgMail::failureText(int exitCode) {
    switch (exitCode) {
        case 0:
            return {};
        case 2:
            return QStringLiteral("The file to attach does not exist");
        case 3:
            return QStringLiteral("No mail program is set up on this desktop");
        case 5:
            return QStringLiteral("The file to attach cannot be read");
        default:
            return QStringLiteral("The mail program could not start a message (xdg-email %1)")
                .arg(exitCode);
    }
}

QString XdgMail::sendDocument(const QString& filePath) {
    const QFileInfo info(filePath);
    if (!info.isFile())
        return failureText(2);
    const Launcher::Outcome outcome = launcher_.launch(
        QStringLiteral("xdg-email"), {QStringLiteral("--attach"), info.absoluteFilePath()});
    switch (outcome.status) {
        case Launcher::Outcome::Status::Running:
            return {};
        case Launcher::Outcome::Status::Exited:
            return failureText(outcome.exitCode);
        case Launcher::Outcome::Status::FailedToStart:
        default:
            return QStringLiteral("xdg-email could not be started: %1").arg(outcome.errorText);
    }
}

}  // namespace qv::platform
