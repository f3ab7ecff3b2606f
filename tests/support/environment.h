#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <utility>
#include <vector>

namespace qv::testsupport {

// Sets environment variables for one test and puts the old values back afterwards.
class Environment {
public:
    Environment() = default;
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;
    ~Environment() {
        for (const auto& [name, value] : saved_) {
            if (value.isNull())
                qunsetenv(name.constData());
            else
                qputenv(name.constData(), value);
        }
    }
    void set(const char* name, const QString& value) {
        // A variable that is not set reads back as a null array.
        saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
        qputenv(name, value.toLocal8Bit());
    }

private:
    std::vector<std::pair<QByteArray, QByteArray>> saved_;
};

}  // namespace qv::testsupport
