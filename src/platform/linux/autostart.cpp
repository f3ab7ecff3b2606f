#include "platform/linux/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/linux/xdgpaths.h"

namespace qv::platform {

namespace {

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

Autostart::Autostart(QString entryPath) : entryPath_(std::move(entryPath)) {}

QString Autostart::defaultEntryPath() {
    return configHome() + QStringLiteral("/autostart/quorvalline.desktop");
}

bool Autostart::isEnabled() const {
    return QFileInfo::exists(entryPath_);
}

QString Autostart::execLine(const QString& executable) {
    QString arg = executable;
    // A literal percent sign would otherwise start a field code.
    arg.replace(u'%', QStringLiteral("%%"));
    return escapedValue(quotedArgument(arg));
}

bool Autostart::enable(const QString& executable) const {
    if (!QDir().mkpath(QFileInfo(entryPath_).absolutePath()))
        return false;
    QSaveFile file(entryPath_);
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

void Autostart::disable() const {
    QFile::remove(entryPath_);
}

}  // namespace qv::platform
