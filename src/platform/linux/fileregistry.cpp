#include "platform/linux/fileregistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/linux/wholefile.h"
#include "platform/linux/xdgpaths.h"

namespace qv::platform {

namespace {

constexpr char kHeader[] =
    "; Quorvalline settings. Values are stored byte for byte: \\0 is a NUL that belongs\n"
    "; to the value, \\\\ a backslash, \\\" a quote, \\xHH any other byte.\n";

const char* hiveName(Registry::Root root) {
    return root == Registry::Root::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

bool isPrintable(unsigned char c) {
    return c >= 0x20 && c != 0x7f;
}

// Quoted text with the escapes of the header comment. Bytes of valid UTF-8 stay as they are.
QByteArray quote(const QByteArray& bytes) {
    const bool utf8 = QString::fromUtf8(bytes).toUtf8() == bytes;
    QByteArray out = "\"";
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += ch;
        } else if (c == 0) {
            out += "\\0";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (isPrintable(c) && (c < 0x80 || utf8)) {
            out += ch;
        } else {
            out += "\\x" + QByteArray::number(c, 16).rightJustified(2, '0');
        }
    }
    return out + '"';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads one quoted text starting at line[pos] ('"'); pos ends after the closing quote.
bool unquote(const QByteArray& line, qsizetype& pos, QByteArray& out) {
    if (pos >= line.size() || line[pos] != '"')
        return false;
    ++pos;
    out.clear();
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == '"')
            return true;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (pos >= line.size())
            return false;
        const char e = line[pos++];
        switch (e) {
            case '\\':
                out += '\\';
                break;
            case '"':
                out += '"';
                break;
            case '0':
                out += '\0';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'x': {
                if (pos + 1 >= line.size())
                    return false;
                const int hi = hexDigit(line[pos]), lo = hexDigit(line[pos + 1]);
                if (hi < 0 || lo < 0)
                    return false;
                out += static_cast<char>(hi * 16 + lo);
                pos += 2;
                break;
            }
            default:
                return false;
        }
    }
    return false;
}

// Key names in section headers: '%' and control bytes percent-encoded, the rest as it is.
QByteArray encodeKeyName(const QString& name) {
    QByteArray out;
    for (char ch : name.toUtf8()) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '%' || c < 0x20 || c == 0x7f) {
            out += '%' + QByteArray::number(c, 16).rightJustified(2, '0');
        } else {
            out += ch;
        }
    }
    return out;
}

bool decodeKeyName(const QByteArray& text, QString& name) {
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        const int hi = hexDigit(text[i + 1]), lo = hexDigit(text[i + 2]);
        if (hi < 0 || lo < 0)
            return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    name = QString::fromUtf8(out);
    return true;
}

// Holds the lock that makes one copy's read-merge-write whole against the others. Held by the
// open file, so a copy that dies lets go of it.
class FileLock {
public:
    explicit FileLock(const QString& path)
        : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        // Without a lock file (a read-only folder) the change goes ahead unguarded.
        while (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FileLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
};

QString lockPath(const QString& filePath) {
    return filePath + QStringLiteral(".lock");
}

void writeKey(QByteArray& out, const QByteArray& path, const MemoryRegistry::Key& key) {
    out += "\n[" + path + "]\n";
    for (const auto& v : key.values) {
        out += quote(v.name.toUtf8()) + '=' + quote(v.data) + '\n';
    }
    for (const auto& c : key.children) {
        writeKey(out, path + '\\' + encodeKeyName(c->name), *c);
    }
}

}  // namespace

FileRegistry::FileRegistry(QString filePath, Autostart autostart)
    : filePath_(std::move(filePath)), autostart_(std::move(autostart)) {
    load();
}

QString FileRegistry::defaultPath() {
    return configHome() + QStringLiteral("/quorvalline/registry");
}

bool FileRegistry::isAutostartValue(Root root, const QString& path, const QString& name) const {
    return root == Root::CurrentUser &&
           splitPath(path).join(QLatin1Char('\\')).compare(kRunKey, Qt::CaseInsensitive) == 0 &&
           name.compare(kRunValue, Qt::CaseInsensitive) == 0;
}

void FileRegistry::setValue(Root root, const QString& path, const QString& name,
                            const QByteArray& data) {
    MemoryRegistry::setValue(root, path, name, data);
    if (isAutostartValue(root, path, name)) {
        const qsizetype nul = data.indexOf('\0');
        autostart_.enable(QString::fromUtf8(nul < 0 ? data : data.left(nul)));
    }
}

std::optional<QByteArray> FileRegistry::value(Root root, const QString& path,
                                              const QString& name) const {
    if (!isAutostartValue(root, path, name))
        return MemoryRegistry::value(root, path, name);
    // An entry made or removed on the desktop's own settings page counts as well.
    if (!autostart_.isEnabled())
        return std::nullopt;
    return MemoryRegistry::value(root, path, name).value_or(QByteArray());
}

bool FileRegistry::deleteValue(Root root, const QString& path, const QString& name) {
    const bool entry = isAutostartValue(root, path, name) && autostart_.isEnabled();
    if (entry)
        autostart_.disable();
    return MemoryRegistry::deleteValue(root, path, name) || entry;
}

QByteArray FileRegistry::serialize(const MemoryRegistry& registry) {
    QByteArray out = kHeader;
    for (Root root : {Root::CurrentUser, Root::LocalMachine}) {
        for (const auto& c : registry.hive(root).children) {
            writeKey(out, QByteArray(hiveName(root)) + '\\' + encodeKeyName(c->name), *c);
        }
    }
    return out;
}

bool FileRegistry::parse(const QByteArray& text, MemoryRegistry& registry, QString* error) {
    registry.clear();
    std::optional<std::pair<Root, QString>> section;
    // Editors on some systems start a UTF-8 file with a byte-order mark.
    static const QByteArray kByteOrderMark = "\xEF\xBB\xBF";
    const QList<QByteArray> lines =
        (text.startsWith(kByteOrderMark) ? text.mid(kByteOrderMark.size()) : text).split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        if (line.endsWith('\r'))
            line.chop(1);
        const auto fail = [&](const char* why) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(n + 1).arg(QLatin1String(why));
            registry.clear();
            return false;
        };
        if (line.trimmed().isEmpty() || line.startsWith(';'))
            continue;
        if (line.startsWith('[')) {
            if (!line.endsWith(']'))
                return fail("a key header must end with ']'");
            const QList<QByteArray> parts = line.mid(1, line.size() - 2).split('\\');
            Root root;
            if (parts.first() == "HKEY_CURRENT_USER") {
                root = Root::CurrentUser;
            } else if (parts.first() == "HKEY_LOCAL_MACHINE") {
                root = Root::LocalMachine;
            } else {
                return fail("unknown hive");
            }
            QStringList names;
            for (qsizetype i = 1; i < parts.size(); ++i) {
                QString name;
                if (parts[i].isEmpty() || !decodeKeyName(parts[i], name)) {
                    return fail("bad key name");
                }
                names << name;
            }
            if (names.isEmpty())
                return fail("a key header must name a key below the hive");
            section.emplace(root, names.join(QLatin1Char('\\')));
            registry.createKey(root, section->second);
            continue;
        }
        if (!section)
            return fail("a value before any key header");
        QByteArray name, data;
        qsizetype pos = 0;
        if (!unquote(line, pos, name) || pos >= line.size() || line[pos] != '=') {
            return fail("expected \"name\"=\"value\"");
        }
        ++pos;
        if (!unquote(line, pos, data) || pos != line.size()) {
            return fail("expected \"name\"=\"value\"");
        }
        registry.setValue(section->first, section->second, QString::fromUtf8(name), data);
    }
    return true;
}

FileRegistry::FileState FileRegistry::read(MemoryRegistry& tree, QString* error) const {
    QFile file(filePath_);
    if (!file.exists())
        return FileState::Missing;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return FileState::Unreadable;
    }
    return parse(file.readAll(), tree, error) ? FileState::Read : FileState::Damaged;
}

void FileRegistry::load() {
    if (!QFileInfo::exists(filePath_))
        return;
    const FileLock lock(lockPath(filePath_));
    MemoryRegistry stored;
    QString error;
    switch (read(stored, &error)) {
        case FileState::Damaged:
            // The program goes on with defaults; a file we could not move aside must not be
            // replaced by them.
            if (!moveAside(error))
                keepReadOnly(QStringLiteral("it is damaged and could not be moved aside"));
            return;
        case FileState::Unreadable:
            // Nothing says the settings in it are bad: they stay for when it can be read. The
            // program runs on defaults, which the user is to know before changing any.
            reportStoreFailure(
                QStringLiteral("cannot read settings file %1 (%2)").arg(filePath_, error));
            keepReadOnly(QStringLiteral("it could not be read (%1)").arg(error));
            return;
        case FileState::Missing:
        case FileState::Read:
            takeTree(stored);
            return;
    }
}

bool FileRegistry::moveAside(const QString& error) const {
    QString aside = filePath_ + QStringLiteral(".damaged");
    for (int i = 1; QFileInfo::exists(aside); ++i) {
        aside = filePath_ + QStringLiteral(".damaged.%1").arg(i);
    }
    const bool moved = QFile::rename(filePath_, aside);
    std::fprintf(stderr, "quorvalline: settings file %s is damaged (%s); %s\n",
                 qPrintable(filePath_), qPrintable(error),
                 moved ? qPrintable(QStringLiteral("moved it to ") + aside)
                       : "could not move it aside, so settings will not be stored");
    return moved;
}

void FileRegistry::keepReadOnly(const QString& reason) {
    readOnly_ = true;
    readOnlyReason_ = reason;
}

void FileRegistry::committed(const std::vector<Change>& changes) {
    if (readOnly_) {
        reportStoreFailure(
            QStringLiteral("settings not stored in %1: %2").arg(filePath_, readOnlyReason_));
        return;
    }
    QDir().mkpath(QFileInfo(filePath_).absolutePath());
    const FileLock lock(lockPath(filePath_));
    MemoryRegistry stored;
    QString error;
    switch (read(stored, &error)) {
        case FileState::Read:
            // Only what this change touched comes from our memory; the rest is what the
            // other copies stored meanwhile.
            stored.replay(changes);
            takeTree(stored);
            break;
        case FileState::Missing:
            // Nothing to merge with: what we hold goes in whole, earlier values that could
            // not be stored included.
            break;
        case FileState::Damaged:
            // Damaged since we read it: what we hold replaces it, once it is kept aside.
            if (!moveAside(error)) {
                keepReadOnly(QStringLiteral("it is damaged and could not be moved aside"));
                reportStoreFailure(QStringLiteral("settings not stored in %1: %2")
                                       .arg(filePath_, readOnlyReason_));
                return;
            }
            break;
        case FileState::Unreadable:
            // Written over, it would lose what the other copies stored.
            reportStoreFailure(
                QStringLiteral("settings not stored in %1: it could not be read (%2)")
                    .arg(filePath_, error));
            return;
    }
    write();
}

bool FileRegistry::write() const {
    const QString problem = replaceFileWhole(filePath_, serialize(*this));
    if (problem.isEmpty())
        return true;
    reportStoreFailure(QStringLiteral("settings not stored in %1: %2").arg(filePath_, problem));
    return false;
}

}  // namespace qv::platform
