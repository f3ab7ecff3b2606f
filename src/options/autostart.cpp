#include "options/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qv::options {

namespace {

QString configHome() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The XDG rules ignore a relative path.
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

// Inside a quoted argument these four need a backslash.
QString quotedArgument(const QString& arg) {
    QString out = QStringLiteral("\"");
    for (const QChar c : arg) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        out += c;
    }
    return out + u'"';
}

// The string escapes of a desktop-file value, applied on top of the quoting.
QString escapedValue(const QString& value) {
    QString out;
    for (const QChar c : value) {
        switch (c.unicode()) {
            case '\\':
                out += QStringLiteral("\\\\");
                break;
            case '\n':
                out += QStringLiteral("\\n");
                break;
            case '\t':
                out += QStringLiteral("\\t");
                break;
            case '\r':
                out += QStringLiteral("\\r");
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

QString Autostart::entryPath() {
    return configHome() + QStringLiteral("/autostart/quorvalline.desktop");
}

bool Autostart::isEnabled() {
    return QFileInfo::exists(entryPath());
}

QString Autostart::execLine(const QString& executable) {
    QString arg = executable;
    // A literal percent sign would otherwise start a field code.
    arg.replace(u'%', QStringLiteral("%%"));
    return escapedValue(quotedArgument(arg));
}

bool Autostart::enable(const QString& executable) {
    const QString path = entryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QString text = QStringLiteral(
                             "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Quorvalline\n"
                             "Comment=Screen capture in the notification area\n"
                             "Exec=%1\n"
                             "Terminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n")
                             .arg(execLine(executable));
    file.write(text.toUtf8());
    return file.commit();
}

void Autostart::disable() {
    QFile::remove(entryPath());
}

}  // namespace qv::options
