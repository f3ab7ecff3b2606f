#include "platform/linux/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

#include "platform/linux/wholefile.h"
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

const QString kMainGroup = QStringLiteral("[Desktop Entry]");
const QString kEntryName = QStringLiteral("quorvalline.desktop");

QStringList linesOf(const FileReading& file) {
    return QString::fromUtf8(file.bytes).remove(u'\r').split(u'\n');
}

// Nothing for what is no entry to read: a FIFO would hold the start up for ever, /dev/zero
// would fill memory.
QStringList entryLines(const QString& path) {
    return linesOf(readFileWhole(path));
}

// The line that sets key in the entry's main group, or -1.
qsizetype keyLine(const QStringList& lines, const QString& key) {
    const qsizetype group = lines.indexOf(kMainGroup);
    if (group < 0)
        return -1;
    for (qsizetype i = group + 1; i < lines.size() && !lines[i].startsWith(u'['); ++i) {
        const qsizetype equals = lines[i].indexOf(u'=');
        // Blanks around the equals sign do not count.
        if (equals > 0 && lines[i].left(equals).trimmed() == key)
            return i;
    }
    return -1;
}

// A boolean of the main group, nothing when the entry does not set it.
std::optional<bool> flag(const QStringList& lines, const QString& key) {
    const qsizetype line = keyLine(lines, key);
    if (line < 0)
        return std::nullopt;
    const QString value = lines[line].mid(lines[line].indexOf(u'=') + 1).trimmed();
    if (value == u"true" || value == u"1")
        return true;
    if (value == u"false" || value == u"0")
        return false;
    return std::nullopt;
}

bool writeEntry(const QString& path, const QString& text) {
    // The folders are made as the walk goes, so none is made through another user's link.
    const QFileInfo entry(path);
    const WalkedPath folder = walkPath(entry.absolutePath(), MakeFolders::AllParts);
    return folder.reached() &&
           replaceFileAt(walkOn(folder, entry.fileName()), text.toUtf8()).isEmpty();
}

}  // namespace

Autostart::Autostart() : Autostart(defaultEntryPath(), defaultSystemEntryPaths()) {}

Autostart::Autostart(QString entryPath, QStringList systemEntryPaths)
    : entryPath_(std::move(entryPath)), systemEntryPaths_(std::move(systemEntryPaths)) {}

QString Autostart::defaultEntryPath() {
    return configHome() + QStringLiteral("/autostart/") + kEntryName;
}

QStringList Autostart::defaultSystemEntryPaths() {
    QStringList dirs = qEnvironmentVariable("XDG_CONFIG_DIRS").split(u':', Qt::SkipEmptyParts);
    if (dirs.isEmpty())
        dirs << QStringLiteral("/etc/xdg");
    QStringList paths;
    for (const QString& dir : dirs) {
        // The XDG rules ignore a relative folder.
        if (QDir::isAbsolutePath(dir))
            paths << QDir::cleanPath(dir + QStringLiteral("/autostart/") + kEntryName);
    }
    return paths;
}

bool Autostart::isEnabled() const {
    for (const QString& path : QStringList{entryPath_} + systemEntryPaths_) {
        const FileReading file = readFileWhole(path);
        if (file.outcome == FileReading::Outcome::Missing)
            continue;
        // The desktop starts nothing from what it cannot read as an entry either.
        if (file.outcome != FileReading::Outcome::Read)
            return false;
        const QStringList lines = linesOf(file);
        return !flag(lines, QStringLiteral("Hidden")).value_or(false) &&
               flag(lines, QStringLiteral("X-GNOME-Autostart-enabled")).value_or(true);
    }
    return false;
}

QString Autostart::execLine(const QString& executable) {
    QString arg = executable;
    // A literal percent sign would otherwise start a field code.
    arg.replace(u'%', QStringLiteral("%%"));
    return escapedValue(quotedArgument(arg));
}

bool Autostart::enable(const QString& executable) const {
    return writeEntry(entryPath_, QStringLiteral("[Desktop Entry]\n"
                                                 "Type=Application\n"
                                                 "Name=Quorvalline\n"
                                                 "Comment=Screen capture in the notification area\n"
                                                 "Exec=%1\n"
                                                 "Terminal=false\n"
                                                 "X-GNOME-Autostart-enabled=true\n")
                                      .arg(execLine(executable)));
}

bool Autostart::disable() const {
    // Deleting the entry would let a system-wide one of the same name start the program.
    QStringList lines = entryLines(entryPath_);
    if (!lines.contains(kMainGroup))
        lines = QStringList{kMainGroup, QStringLiteral("Type=Application"),
                            QStringLiteral("Name=Quorvalline"), QString()};
    const QString hidden = QStringLiteral("Hidden=true");
    const qsizetype line = keyLine(lines, QStringLiteral("Hidden"));
    if (line >= 0)
        lines[line] = hidden;
    else
        lines.insert(lines.indexOf(kMainGroup) + 1, hidden);
    return writeEntry(entryPath_, lines.join(u'\n'));
}

}  // namespace qv::platform
