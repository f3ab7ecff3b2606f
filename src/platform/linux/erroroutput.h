#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QProcess;

namespace qv::platform {

// What a started program writes on stderr, read as it comes so that the program never blocks
// on a full pipe, of which only the start is kept: a program that floods stderr costs the
// program neither memory nor the time to show it. Lives as long as the process it reads.
class ErrorOutput : public QObject {
public:
    // Enough for any message meant for a person.
    static constexpr qsizetype kKeptBytes = 4096;

    // Reads process's stderr from now on; owned by process.
    static ErrorOutput& attach(QProcess& process);
    // What was kept, without the blanks around it.
    QString text();

private:
    explicit ErrorOutput(QProcess& process);
    void read();

    QProcess& process_;
    QByteArray kept_;
};

}  // namespace qv::platform
