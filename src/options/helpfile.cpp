#include "options/helpfile.h"

#include <QCoreApplication>

#include "platform/services.h"

namespace qv::options {

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

QString helpFilePath() {
    return programFolder() + QStringLiteral("/QuorvallineHelp.chm");
}

QString helpLaunchMessage(int resultCode) {
    namespace r = platform::shellresult;
    switch (resultCode) {
        case r::FileNotFound:
            return QStringLiteral("File not found !");
        case r::PathNotFound:
            return QStringLiteral("Path not found !");
        case r::AccessDenied:
            return QStringLiteral("Access denied !");
        case r::NoMemory:
            return QStringLiteral("No more memory !");
        case r::BadFormat:
            return QStringLiteral("Corrupt EXE File !");
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
        case r::DllNotFound:
            return QStringLiteral("DLL not found !");
        default:
            return QString();
    }
}

void openHelpFile(QWidget* owner) {
    const int result = platform::shell().open(helpFilePath());
    if (result > 32)
        return;
    platform::dialogs().message(helpLaunchMessage(result), platform::MsgButtons::Ok,
                                platform::MsgIcon::Critical, QStringLiteral(" Quorvalline "),
                                owner);
}

}  // namespace qv::options
