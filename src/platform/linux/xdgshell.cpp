#include "platform/linux/xdgshell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace qv::platform {

namespace {

// The exit codes of the xdg-utils scripts.
enum XdgExit {
    XdgSuccess = 0,
    XdgSyntax = 1,
    XdgFileMissing = 2,
    XdgNoTool = 3,
    XdgActionFailed = 4,
    XdgNoPermission = 5,
};

// A local path for a target that names a file, empty for a URL of another scheme.
QString localPath(const QString& target) {
    const QUrl url(target);
    if (url.isLocalFile())
        return url.toLocalFile();
    // "C:" style or "mailto:" URLs carry a scheme of more than one letter.
    if (url.isValid() && url.scheme().size() > 1 && !target.startsWith(QLatin1Char('/')))
        return {};
    return target;
}

// A page whose name does not say it is HTML (the help page keeps its historic name) is opened
// through a link named .html: desktops that type files by name alone would otherwise look
// for a program for the name's type and find none.
QString typedByContent(const QString& path) {
    const QMimeDatabase types;
    const QMimeType byContent = types.mimeTypeForFile(path, QMimeDatabase::MatchContent);
    const QMimeType byName = types.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    if (!byContent.inherits(QStringLiteral("text/html")) ||
        byName.inherits(QStringLiteral("text/html"))) {
        return path;
    }
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/pages");
    if (!QDir().mkpath(folder))
        return path;
    const QString link =
        folder + QLatin1Char('/') + QFileInfo(path).completeBaseName() + QStringLiteral(".html");
    QFile::remove(link);
    return QFile::link(QFileInfo(path).absoluteFilePath(), link) ? link : path;
}

}  // namespace

XdgShell::XdgShell(int settleMs) : launcher_(settleMs), windows_(x11::XConnection::fromQt()) {}

int XdgShell::resultForExitCode(int exitCode) {
    switch (exitCode) {
        case XdgSuccess:
            return shellresult::LaunchOk;
        case XdgSyntax:
        case XdgFileMissing:
            return shellresult::FileNotFound;
        case XdgNoTool:
            return shellresult::NoAssociation;
        case XdgNoPermission:
            return shellresult::AccessDenied;
        case XdgActionFailed:
        default:
            // A program was chosen for the file but did not open it.
            return shellresult::AssocIncomplete;
    }
}

int XdgShell::checkLocalPath(const QString& path) {
    if (path.isEmpty())
        return shellresult::FileNotFound;
    const QFileInfo info(path);
    if (!info.exists()) {
        return info.absoluteDir().exists() ? shellresult::FileNotFound : shellresult::PathNotFound;
    }
    if (!info.isReadable())
        return shellresult::AccessDenied;
    return shellresult::LaunchOk;
}

int XdgShell::open(const QString& target) {
    const QString path = localPath(target);
    if (!path.isNull()) {
        const int check = checkLocalPath(path);
        if (check != shellresult::LaunchOk)
            return check;
    }
    const Launcher::Outcome outcome = launcher_.launch(
        QStringLiteral("xdg-open"), {path.isNull() ? target : typedByContent(path)});
    switch (outcome.status) {
        case Launcher::Outcome::Status::Running:
            return shellresult::LaunchOk;
        case Launcher::Outcome::Status::Exited:
            return resultForExitCode(outcome.exitCode);
        case Launcher::Outcome::Status::FailedToStart:
        default:
            return shellresult::NoAssociation;
    }
}

int XdgShell::start(const QString& program, const QStringList& arguments) {
    QString path = program;
    if (!program.contains(QLatin1Char('/'))) {
        path = QStandardPaths::findExecutable(program);
        if (path.isEmpty())
            return shellresult::FileNotFound;
    }
    const int check = checkLocalPath(path);
    if (check != shellresult::LaunchOk)
        return check;
    const QFileInfo info(path);
    if (info.isDir() || !info.isExecutable()) {
        // A folder or a document: open it with its program, as a file manager would.
        if (!arguments.isEmpty())
            return shellresult::AccessDenied;
        return open(path);
    }
    qint64 pid = 0;
    if (!QProcess::startDetached(path, arguments, QString(), &pid))
        return shellresult::BadFormat;
    startedPid_ = pid;
    return shellresult::LaunchOk;
}

bool XdgShell::restoreWindow(WindowId window) {
    return windows_.restore(window);
}

WindowId XdgShell::startedWindow() const {
    return windows_.findByProcess(startedPid_);
}

qint64 XdgShell::windowProcess(WindowId window) const {
    return windows_.makerProcess(window);
}

}  // namespace qv::platform
