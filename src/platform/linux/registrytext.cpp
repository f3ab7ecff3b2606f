#include "platform/linux/registrytext.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <algorithm>

namespace qv::platform {

namespace {

using Key = MemoryRegistry::Key;
using Root = Registry::Root;

constexpr char kHeader[] =
    "; Quorvalline settings. Values are stored byte for byte: \\0 is a NUL that belongs\n"
    "; to the value, \\\\ a backslash, \\\" a quote, \\xHH any other byte.\n";

const char* hiveName(Root root) {
    return root == Root::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

bool isPrintable(unsigned char c) {
    return c >= 0x20 && c != 0x7f;
}

bool isAscii(QByteArrayView bytes) {
    for (char ch : bytes) {
        if (static_cast<unsigned char>(ch) >= 0x80)
            return false;
    }
    return true;
}

void appendHex(QByteArray& out, unsigned char c) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
}

// Quoted text with the escapes of the header comment. Bytes of valid UTF-8 stay as they are.
void appendQuoted(QByteArray& out, const QByteArray& bytes) {
    const bool utf8 = isAscii(bytes) || QString::fromUtf8(bytes).toUtf8() == bytes;
    out += '"';
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
            out += "\\x";
            appendHex(out, c);
        }
    }
    out += '"';
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

// Reads one quoted text starting at line[pos] ('"'); pos ends after the closing quote. The
// text is copied once, into a buffer of its own size.
bool unquote(QByteArrayView line, qsizetype& pos, QByteArray& out) {
    if (pos >= line.size() || line[pos] != '"')
        return false;
    const qsizetype start = ++pos;
    while (pos < line.size() && line[pos] != '"' && line[pos] != '\\')
        ++pos;
    if (pos >= line.size())
        return false;
    if (line[pos] == '"') {
        out = line.sliced(start, pos++ - start).toByteArray();
        return true;
    }
    QByteArray text = line.sliced(start, pos - start).toByteArray();
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == '"') {
            out = QByteArray(text.constData(), text.size());
            return true;
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (pos >= line.size())
            return false;
        switch (const char e = line[pos++]) {
            case '\\':
            case '"':
                text += e;
                break;
            case '0':
                text += '\0';
                break;
            case 'n':
                text += '\n';
                break;
            case 'r':
                text += '\r';
                break;
            case 't':
                text += '\t';
                break;
            case 'x': {
                if (pos + 1 >= line.size())
                    return false;
                const int hi = hexDigit(line[pos]), lo = hexDigit(line[pos + 1]);
                if (hi < 0 || lo < 0)
                    return false;
                text += static_cast<char>(hi * 16 + lo);
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
void appendKeyName(QByteArray& out, const QString& name) {
    for (char ch : nameToBytes(name)) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '%' || c < 0x20 || c == 0x7f) {
            out += '%';
            appendHex(out, c);
        } else {
            out += ch;
        }
    }
}

bool decodeKeyName(QByteArrayView text, QString& name) {
    if (!text.contains('%')) {
        name = nameFromBytes(text.toByteArray());
        return true;
    }
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
    name = nameFromBytes(out);
    return true;
}

// The length of the UTF-8 sequence at bytes[i], or 0 when none starts there.
int utf8SequenceAt(const QByteArray& bytes, qsizetype i, char32_t& code) {
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    int length;
    char32_t least;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if ((lead & 0xe0) == 0xc0) {
        length = 2, least = 0x80, code = lead & 0x1f;
    } else if ((lead & 0xf0) == 0xe0) {
        length = 3, least = 0x800, code = lead & 0x0f;
    } else if ((lead & 0xf8) == 0xf0) {
        length = 4, least = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((at(i + k) & 0xc0) != 0x80)
            return 0;
        code = (code << 6) | (at(i + k) & 0x3f);
    }
    const bool surrogate = code >= 0xd800 && code <= 0xdfff;
    return code < least || code > 0x10ffff || surrogate ? 0 : length;
}

constexpr char16_t kByteOfItsOwn = 0xdc00;

// Reads the text of a settings file, line by line, into a tree.
class Reader {
public:
    Reader(MemoryRegistry& registry, RegistryReading& reading)
        : registry_(registry), reading_(reading) {}

    void readLine(QByteArrayView line, qsizetype number) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';'))
            return;
        const char* problem;
        if (line.startsWith('[')) {
            problem = readHeader(line);
            headerRefused_ = problem != nullptr;
        } else {
            problem = readValue(line);
        }
        if (problem)
            skip(number, problem);
        else
            lastWasSkipped_ = false;
    }
    void finish() {
        endSection();
        if (!readAny_ && !reading_.skipped.empty()) {
            reading_.damagedWhole = true;
            reading_.firstProblem = QStringLiteral("no line of it could be read");
        }
    }

private:
    const char* readHeader(QByteArrayView line) {
        endSection();
        if (!line.endsWith(']'))
            return "a key header must end with ']'";
        // Blanks before ']' belong to the last key's name: names may end in one.
        QByteArrayView inner = line.sliced(1, line.size() - 2);
        while (!inner.isEmpty() && (inner.front() == ' ' || inner.front() == '\t'))
            inner = inner.sliced(1);
        const qsizetype hiveEnd = inner.indexOf('\\');
        const QByteArrayView hive = hiveEnd < 0 ? inner : inner.first(hiveEnd);
        Key* key;
        if (hive.compare(hiveName(Root::CurrentUser), Qt::CaseInsensitive) == 0)
            key = &registry_.hive(Root::CurrentUser);
        else if (hive.compare(hiveName(Root::LocalMachine), Qt::CaseInsensitive) == 0)
            key = &registry_.hive(Root::LocalMachine);
        else
            return "unknown hive";
        // Checked whole before any key is made: a refused header leaves nothing behind.
        QStringList names;
        qsizetype pos = hiveEnd < 0 ? inner.size() : hiveEnd + 1;
        while (pos < inner.size()) {
            qsizetype end = inner.indexOf('\\', pos);
            if (end < 0)
                end = inner.size();
            QString name;
            // Doubled and trailing separators name the same key, as in a path.
            if (end > pos && !decodeKeyName(inner.sliced(pos, end - pos), name))
                return "bad key name";
            if (end > pos)
                names << name;
            if (names.size() > kMaxKeyDepth)
                return "keys nested too deep";
            pos = end + 1;
        }
        if (names.isEmpty())
            return "a key header must name a key below the hive";
        for (const QString& name : names)
            key = &MemoryRegistry::subKey(*key, name);
        section_ = key;
        readAny_ = true;
        return nullptr;
    }

    const char* readValue(QByteArrayView line) {
        if (!section_)
            return headerRefused_ ? "a value of a key that could not be read"
                                  : "a value before any key header";
        QByteArray name, data;
        qsizetype pos = 0;
        const auto skipBlanks = [&] {
            while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
                ++pos;
        };
        if (!unquote(line, pos, name))
            return "expected \"name\"=\"value\"";
        skipBlanks();
        if (pos >= line.size() || line[pos++] != '=')
            return "expected \"name\"=\"value\"";
        skipBlanks();
        if (!unquote(line, pos, data) || pos != line.size())
            return "expected \"name\"=\"value\"";
        MemoryRegistry::putValue(*section_, valueName(name), shared(data));
        return nullptr;
    }

    // Lines skipped with nothing read between them (blank lines and comments aside) make one
    // run, so that a long stretch of damage is named in a few words.
    void skip(qsizetype number, const char* problem) {
        if (reading_.skipped.empty()) {
            reading_.firstReason = QString::fromLatin1(problem);
            reading_.firstProblem = QStringLiteral("line %1: %2").arg(number).arg(problem);
        }
        if (lastWasSkipped_)
            reading_.skipped.back().second = number;
        else
            reading_.skipped.emplace_back(number, number);
        ++reading_.skippedCount;
        lastWasSkipped_ = true;
    }

    void endSection() {
        if (section_)
            section_->values.shrink_to_fit();
        section_ = nullptr;
    }

    // Value names repeat in every record of a kind, and short values ("1", "0") in most:
    // one copy each serves them all.
    QString valueName(const QByteArray& bytes) {
        const auto it = names_.constFind(bytes);
        if (it != names_.cend())
            return *it;
        QString name = nameFromBytes(bytes);
        if (names_.size() < kShared)
            names_.insert(bytes, name);
        return name;
    }
    QByteArray shared(const QByteArray& data) {
        if (data.size() > 16)
            return data;
        const auto it = data_.constFind(data);
        if (it != data_.cend())
            return *it;
        if (data_.size() < kShared)
            data_.insert(data);
        return data;
    }

    static constexpr qsizetype kShared = 4096;

    MemoryRegistry& registry_;
    RegistryReading& reading_;
    Key* section_ = nullptr;
    bool readAny_ = false;
    bool lastWasSkipped_ = false;
    bool headerRefused_ = false;
    QHash<QByteArray, QString> names_;
    QSet<QByteArray> data_;
};

}  // namespace

QString nameFromBytes(const QByteArray& bytes) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QString name;
    name.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t code = 0;
        const int length = utf8SequenceAt(bytes, i, code);
        if (length == 0) {
            name += QChar(char16_t(kByteOfItsOwn + static_cast<unsigned char>(bytes[i++])));
            continue;
        }
        if (QChar::requiresSurrogates(code)) {
            name += QChar(QChar::highSurrogate(code));
            name += QChar(QChar::lowSurrogate(code));
        } else {
            name += QChar(char16_t(code));
        }
        i += length;
    }
    return name;
}

QByteArray nameToBytes(const QString& name) {
    QByteArray bytes;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool byteOfItsOwn = c >= kByteOfItsOwn + 0x80 && c <= kByteOfItsOwn + 0xff &&
                                  (i == 0 || !name[i - 1].isHighSurrogate());
        if (!byteOfItsOwn)
            continue;
        bytes += QStringView(name).sliced(runStart, i - runStart).toUtf8();
        bytes += static_cast<char>(c - kByteOfItsOwn);
        runStart = i + 1;
    }
    if (runStart == 0)
        return name.toUtf8();
    return bytes + QStringView(name).sliced(runStart).toUtf8();
}

QString RegistryReading::skippedLineList() const {
    constexpr size_t kRunsShown = 8;
    QStringList runs;
    for (size_t i = 0; i < skipped.size() && i < kRunsShown; ++i) {
        const auto [first, last] = skipped[i];
        runs << (first == last ? QString::number(first)
                               : QStringLiteral("%1-%2").arg(first).arg(last));
    }
    if (skipped.size() > kRunsShown)
        runs << QStringLiteral("... (%1 lines in all)").arg(skippedCount);
    return runs.join(QStringLiteral(", "));
}

QByteArray registryText(const MemoryRegistry& registry) {
    QByteArray out = kHeader;
    // Depth first, each key before its sub-keys, without recursion: no depth of keys can
    // exhaust the stack.
    std::vector<std::pair<const Key*, QByteArray>> pending;
    for (Root root : {Root::LocalMachine, Root::CurrentUser}) {
        const auto& children = registry.hive(root).children;
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.emplace_back(it->get(), hiveName(root));
    }
    while (!pending.empty()) {
        auto [key, path] = std::move(pending.back());
        pending.pop_back();
        path += '\\';
        appendKeyName(path, key->name);
        out += "\n[" + path + "]\n";
        for (const auto& v : key->values) {
            appendQuoted(out, nameToBytes(v.name));
            out += '=';
            appendQuoted(out, v.data);
            out += '\n';
        }
        for (auto it = key->children.rbegin(); it != key->children.rend(); ++it)
            pending.emplace_back(it->get(), path);
    }
    return out;
}

RegistryReading readRegistryText(const QByteArray& text, MemoryRegistry& registry) {
    registry.clear();
    RegistryReading reading;
    // No line of a settings file holds a NUL (it is written as \0): random bytes or UTF-16.
    if (text.contains('\0')) {
        reading.damagedWhole = true;
        reading.firstProblem = QStringLiteral("it is not a text file");
        return reading;
    }
    QByteArrayView rest(text);
    // Editors on some systems start a UTF-8 file with a byte-order mark.
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    Reader reader(registry, reading);
    // Lines end in LF, CRLF or a CR alone, as editors on any system write them: no line of
    // ours holds a CR of its own (it is written as \r).
    for (qsizetype number = 1;; ++number) {
        const auto end =
            std::find_if(rest.begin(), rest.end(), [](char c) { return c == '\n' || c == '\r'; });
        const qsizetype length = end - rest.begin();
        reader.readLine(rest.first(length), number);
        if (end == rest.end())
            break;
        const bool crlf = *end == '\r' && length + 1 < rest.size() && rest[length + 1] == '\n';
        rest = rest.sliced(length + (crlf ? 2 : 1));
    }
    reader.finish();
    if (reading.damagedWhole)
        registry.clear();
    return reading;
}

}  // namespace qv::platform
