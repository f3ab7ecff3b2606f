#include "platform/linux/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <algorithm>

#include "platform/linux/picturedecoding.h"
#include "platform/linux/x11selection.h"

// Last: its macros (None, Status) clash with names in the toolkit's headers.
#include <X11/Xlib.h>

namespace qv::platform {

namespace {

QClipboard* board() {
    return qGuiApp ? QGuiApplication::clipboard() : nullptr;
}

const QStringList& richTextTypes() {
    static const QStringList types{QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
                                   QStringLiteral("text/richtext")};
    return types;
}

ClipboardFormats formatsOf(const QMimeData& data) {
    ClipboardFormats formats;
    formats.text = data.hasText();
    formats.image = data.hasImage();
    for (const QString& type : richTextTypes())
        formats.richText = formats.richText || data.hasFormat(type);
    return formats;
}

// The same reading of the X format names as the toolkit's clipboard gives.
ClipboardFormats formatsOfTargets(const QList<QByteArray>& targets) {
    static const QList<QByteArray> textTargets{"UTF8_STRING", "STRING",        "TEXT",
                                               "text/plain",  "text/uri-list", "text/x-moz-url"};
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    ClipboardFormats formats;
    for (const QByteArray& target : targets) {
        if (textTargets.contains(target))
            formats.text = true;
        else if (target == "PIXMAP")
            formats.image = formats.image || readable.contains("ppm");
        else if (target.startsWith("image/") && readable.contains(target.mid(6).toLower()))
            formats.image = true;
        else if (richTextTypes().contains(QString::fromLatin1(target)))
            formats.richText = true;
    }
    return formats;
}

// The encoded picture types on offer that the toolkit reads, PNG first: it keeps every pixel.
QStringList pictureTypes(const QMimeData& data) {
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    QStringList types;
    for (const QString& type : data.formats()) {
        if (type.startsWith(QLatin1String("image/")) && readable.contains(type.mid(6).toLatin1()))
            types.append(type);
    }
    std::stable_partition(types.begin(), types.end(),
                          [](const QString& type) { return type == QLatin1String("image/png"); });
    return types;
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

ClipboardFormats QtClipboard::formats() const {
    QClipboard* c = board();
    if (!c)
        return {};
    // The toolkit asks another owner format by format and waits seconds for each answer, so
    // the X server is asked directly, once, with a deadline for the whole exchange. What we own
    // ourselves, or hold off X, the toolkit has at hand.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || c->ownsClipboard()) {
        const QMimeData* data = c->mimeData();
        return data ? formatsOf(*data) : ClipboardFormats{};
    }
    const char* display = x11->display() ? DisplayString(x11->display()) : nullptr;
    const auto targets = x11::clipboardTargets(display, kAnswerTimeMs);
    return targets ? formatsOfTargets(*targets) : ClipboardFormats{};
}

QString QtClipboard::text() const {
    QClipboard* c = board();
    return c ? c->text() : QString();
}

ClipboardPicture QtClipboard::picture() const {
    QClipboard* c = board();
    const QMimeData* data = c ? c->mimeData() : nullptr;
    if (!data)
        return decodedPicture(QImage());
    // A picture we put there ourselves is at hand as it was given.
    if (c->ownsClipboard() && data->hasImage())
        return decodedPicture(qvariant_cast<QImage>(data->imageData()));
    // Read by the toolkit, a picture stops at the toolkit's allocation limit (128 MB, a photo
    // of 5800 x 5800 pixels); decoded here it gets the memory it needs while there is some.
    const QStringList types = pictureTypes(*data);
    if (!types.isEmpty()) {
        const QString& type = types.front();
        return decodePicture(data->data(type), type.mid(6).toLatin1(), memoryForOnePicture());
    }
    // Other kinds, such as an X pixmap, as the toolkit reads them.
    return decodedPicture(c->image());
}

}  // namespace qv::platform
