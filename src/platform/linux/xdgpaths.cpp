#include "platform/linux/xdgpaths.h"

#include <QDir>

namespace qv::platform {

QString configHome() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

}  // namespace qv::platform
