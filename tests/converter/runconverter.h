#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace qv::convertertests {

inline const QString kConverter = QStringLiteral(QV_BIN_DIR "/Quorvalline32");

struct RunResult {
    int exitCode;  // -1 for a crash, -2 for a converter that never ended
    QString stderrText;
};

// Runs the built converter; one blocked on its input is a failure too.
inline RunResult runConverter(const QStringList& args) {
    QProcess p;
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
