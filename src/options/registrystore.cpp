#include "options/registrystore.h"

#include "platform/services.h"

namespace qv::options {

namespace {

using Root = platform::Registry::Root;

QByteArray readRaw(const QString& key, const QString& name) {
    auto& reg = platform::registry();
    reg.createKey(Root::CurrentUser, key);
    return reg.value(Root::CurrentUser, key, name).value_or(QByteArray());
}

}  // namespace

void writeText(const QString& key, const QString& name, const QString& text, Nul nul) {
    QByteArray data = text.toUtf8();
    if (nul == Nul::Counted)
        data.append('\0');
    platform::registry().setValue(Root::CurrentUser, key, name, data);
}

QString readTextWithNul(const QString& key, const QString& name) {
    return QString::fromUtf8(readRaw(key, name));
}

QString readTextWithoutNul(const QString& key, const QString& name) {
    QString text = QString::fromUtf8(readRaw(key, name));
    text.chop(1);
    return text;
}

bool keyExists(const QString& key) {
    return platform::registry().keyExists(Root::CurrentUser, key);
}

void createKey(const QString& key) {
    platform::registry().createKey(Root::CurrentUser, key);
}

bool deleteValue(const QString& key, const QString& name) {
    return platform::registry().deleteValue(Root::CurrentUser, key, name);
}

QString onOneLine(QString storedText) {
    for (QChar& c : storedText) {
        if (c.category() == QChar::Other_Control)
            c = u'?';
    }
    return storedText;
}

QString textBeforeNul(const QString& storedText) {
    const qsizetype nul = storedText.indexOf(QChar(0));
    return nul < 0 ? storedText : storedText.left(nul);
}

QString flagWithNul(bool on) {
    return on ? QStringLiteral("1") + QChar(0) : QStringLiteral("0") + QChar(0);
}

}  // namespace qv::options
