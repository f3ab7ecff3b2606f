#include "objects/paste.h"

#include <QApplication>

#include "objects/handles.h"
#include "objects/objectlayer.h"
#include "objects/objectspalette.h"
#include "objects/state.h"
#include "objects/windows.h"
#include "options/state.h"
#include "platform/services.h"
#include "toolkit/colors.h"

namespace qv::objects {

namespace {

constexpr qint64 kWindowTextColor = toolkit::kSystemColorFlag | 8;
constexpr qint64 kWindowColor = toolkit::kSystemColorFlag | 5;

// Why a picture on offer adds nothing, for the user.
QString unpastableMessage(const platform::ClipboardPicture& read) {
    if (read.problem == platform::ClipboardPicture::Problem::TooBig) {
        return QStringLiteral(
                   "Not enough memory to paste the picture on the clipboard "
                   "(%1 x %2 pixels) !")
            .arg(read.size.width())
            .arg(read.size.height());
    }
    return QStringLiteral("The picture on the clipboard cannot be read !");
}

void pastePicture(ObjectLayer& layer) {
    auto& s = state();
    const auto& captureState = capture::state();
    const ObjectItems& items = layer.items();
    const int i = firstFree(items.images);
    if (i >= 0) {
        // A picture that cannot be read adds nothing rather than an empty object, and says so.
        const platform::ClipboardPicture read = platform::clipboard().picture();
        if (read.image.isNull()) {
            platform::dialogs().message(unpastableMessage(read), platform::MsgButtons::Ok,
                                        platform::MsgIcon::Information,
                                        QStringLiteral("Quorvalline"), layer.stage().stageWindow());
            return;
        }
        const QImage& picture = read.image;
        CanvasImage& image = *items.images[i];
        image.setPicture(picture);
        // Its natural size, so that it shows pixel for pixel.
        image.setGeometry(captureState.rightClickPos.x(), captureState.rightClickPos.y(),
                          float(picture.width() * captureState.twipsPerPixelX),
                          float(picture.height() * captureState.twipsPerPixelY));
        image.show();
        s.currentImage = qint16(i);
    }
    s.freeze.objectsAdded = true;
    // The palette's procedures run with it loaded, shown or not; a first load clears the
    // notice flag.
    windows().objectsPalette.get();
    showPositionItemsForImage(items);
    if (options::state().settings.autoPopupMenu && !s.freeze.popupNoticeShown)
        informUser(layer.stage().stageWindow());
}

void pasteText(ObjectLayer& layer) {
    auto& s = state();
    const ObjectItems& items = layer.items();
    const int i = firstFree(items.texts);
    if (i < 0)
        return;
    // Taken whole, line breaks and all; rich text alone reads as nothing.
    const QString text = platform::clipboard().text();
    if (text.isEmpty())
        return;
    CanvasLabel& label = *items.texts[i];
    label.setCaption(text);
    label.setFont(QApplication::font());
    label.setTextColor(toolkit::colorFromValue(kWindowTextColor));
    label.setOpaque(true);
    label.setBackgroundColor(toolkit::colorFromValue(kWindowColor));
    s.currentText = qint16(i);
    label.show();
    const QPointF at = capture::state().rightClickPos;
    label.move(at.x(), at.y());
}

}  // namespace

void pasteFromClipboard(ObjectLayer* layer, capture::ClipboardContent content) {
    auto& s = state();
    const auto& captureState = capture::state();
    if (s.newObjectPos.x() < 10 || s.newObjectPos.y() < 10)
        s.newObjectPos =
            QPointF(captureState.screenTwipsWidth / 2, captureState.screenTwipsHeight / 2);
    if (!layer)
        return;
    if (content == capture::ClipboardContent::Bitmap)
        pastePicture(*layer);
    else if (content == capture::ClipboardContent::Text)
        pasteText(*layer);
}

}  // namespace qv::objects
