#pragma once

#include <grp.h>
#include <unistd.h>

#include <QProcess>
#include <QString>
#include <QStringList>

namespace qv::convertertests {

inline const QString kConverter = QStringLiteral(QV_BIN_DIR "/Quorvalline32");

struct RunResult {
    int exitCode;  // -1 for a crash, -2 for a converter that never ended
    QString stderrText;
};

// Runs the built converter, as the user `as` when one is given (which needs root); one blocked
// on its input is a failure too.
inline RunResult runConverter(const QStringList& args, uid_t as = uid_t(-1)) {
    QProcess p;
    if (as != uid_t(-1)) {
        p.setChildProcessModifier([as] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(as) != 0 || ::setuid(as) != 0)
                ::_exit(99);
        });
    }
    p.start(kConverter, args);
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return {-2, QStringLiteral("did not finish")};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError())};
}

}  // namespace qv::convertertests
