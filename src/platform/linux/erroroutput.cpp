#include "platform/linux/erroroutput.h"

#include <QProcess>

namespace qv::platform {

ErrorOutput& ErrorOutput::attach(QProcess& process) {
    return *new ErrorOutput(process);
}

ErrorOutput::ErrorOutput(QProcess& process) : QObject(&process), process_(process) {
    // The process reads its pipes in its waits as in the event loop: each piece is taken out
    // of its buffer at once.
    connect(&process, &QProcess::readyReadStandardError, this, &ErrorOutput::read);
}

void ErrorOutput::read() {
    const QByteArray piece = process_.readAllStandardError();
    kept_.append(piece.left(kKeptBytes - kept_.size()));
}

QString ErrorOutput::text() {
    read();
    return QString::fromLocal8Bit(kept_).trimmed();
}

}  // namespace qv::platform
