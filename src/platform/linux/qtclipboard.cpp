#include "platform/linux/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace qv::platform {

namespace {

QClipboard* board() {
    return qGuiApp ? QGuiApplication::clipboard() : nullptr;
}

const QMimeData* content() {
    QClipboard* c = board();
    return c ? c->mimeData() : nullptr;
}

}  // namespace

void QtClipboard::clear() {
    if (QClipboard* c = board())
        c->clear();
}

void QtClipboard::setImage(const QImage& image) {
    if (QClipboard* c = board())
        c->setImage(image);
}

bool QtClipboard::hasText() const {
    const QMimeData* m = content();
    return m && m->hasText();
}

bool QtClipboard::hasImage() const {
    const QMimeData* m = content();
    return m && m->hasImage();
}

bool QtClipboard::hasRichText() const {
    const QMimeData* m = content();
    return m && (m->hasFormat(QStringLiteral("text/rtf")) ||
                 m->hasFormat(QStringLiteral("application/rtf")) ||
                 m->hasFormat(QStringLiteral("text/richtext")));
}

QString QtClipboard::text() const {
    QClipboard* c = board();
    return c ? c->text() : QString();
}

QImage QtClipboard::image() const {
    QClipboard* c = board();
    return c ? c->image() : QImage();
}

}  // namespace qv::platform
