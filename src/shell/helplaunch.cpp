#include "shell/helplaunch.h"

#include <QDir>

#include "platform/services.h"
#include "shell/program.h"

namespace qv::shell {

QString launchFailureText(int result) {
    namespace r = platform::shellresult;
    switch (result) {
        case r::FileNotFound:
            return QStringLiteral("File not found !");
        case r::PathNotFound:
            return QStringLiteral("Path not found !");
        case r::AccessDenied:
            return QStringLiteral("Access denied !");
        case r::NoMemory:
            return QStringLiteral("No more memory !");
        case r::DllNotFound:
            return QStringLiteral("DLL not found !");
        case r::ShareViolation:
            return QStringLiteral("Access violation occured !");
        case r::AssocIncomplete:
            return QStringLiteral("Uncomplied or wrong file association !");
        case r::DdeTimeout:
            return QStringLiteral("DDE Time out !");
        case r::DdeFail:
            return QStringLiteral("DDE transaction failed !");
        case r::DdeBusy:
            return QStringLiteral("DDE bussy!");
        case r::NoAssociation:
            return QStringLiteral("No such application !");
        case r::BadFormat:
            return QStringLiteral("Corrupt EXE File !");
        default:
            return QString();
    }
}

void showhelp() {
    const QString file =
        QDir(program().shell.programpath).filePath(QStringLiteral("QuorvallineHelp.chm"));
    const int result = platform::shell().open(file);
    if (result > 32)
        return;
    platform::dialogs().message(launchFailureText(result), platform::MsgButtons::Ok,
                                platform::MsgIcon::Critical, QStringLiteral(" Quorvalline "));
}

}  // namespace qv::shell
