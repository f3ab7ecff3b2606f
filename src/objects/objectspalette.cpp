#include "objects/objectspalette.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QWindow>

#include "capture/capturestate.h"
#include "objects/adding.h"
#include "objects/lines.h"
#include "objects/state.h"
#include "objects/windows.h"
#include "options/state.h"
#include "platform/services.h"
#include "toolkit/twips.h"

namespace qv::objects {

namespace {

enum class Picture { Text, Rectangle, RoundedRectangle, Ellipse, Circle, Line, Arrow, Image };

constexpr QSize kPictureSize(32, 20);

// A button's picture: the object it adds, in red as new objects come; drawn at the display's
// scale, so that it stays sharp.
QIcon buttonPicture(Picture kind, qreal ratio) {
    QPixmap pixmap(kPictureSize * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::red, 2));
    switch (kind) {
        case Picture::Text: {
            painter.setPen(Qt::black);
            // Sized in the picture's own pixels, which the painter scales like the shapes.
            QFont font(QStringLiteral("Serif"));
            font.setPixelSize(16);
            font.setBold(true);
            painter.setFont(font);
            painter.drawText(QRect(QPoint(0, 0), kPictureSize), Qt::AlignCenter,
                             QStringLiteral("Abc"));
            break;
        }
        case Picture::Rectangle:
            painter.drawRect(3, 3, 26, 14);
            break;
        case Picture::RoundedRectangle:
            painter.drawRoundedRect(3, 3, 26, 14, 5, 5);
            break;
        case Picture::Ellipse:
            painter.drawEllipse(3, 3, 26, 14);
            break;
        case Picture::Circle:
            painter.drawEllipse(9, 2, 15, 15);
            break;
        case Picture::Line:
            painter.drawLine(3, 10, 29, 10);
            break;
        case Picture::Arrow:
            painter.drawLine(3, 10, 29, 10);
            painter.drawLine(3, 10, 10, 5);
            painter.drawLine(3, 10, 10, 15);
            break;
        case Picture::Image: {
            painter.setPen(Qt::black);
            painter.fillRect(4, 2, 24, 16, QColor(0xa0, 0xd0, 0xff));
            QPainterPath hill;
            hill.moveTo(4, 18);
            hill.lineTo(13, 8);
            hill.lineTo(20, 14);
            hill.lineTo(24, 11);
            hill.lineTo(28, 18);
            painter.fillPath(hill, QColor(0x30, 0x90, 0x30));
            painter.drawRect(4, 2, 23, 15);
            break;
        }
    }
    return QIcon(pixmap);
}

// The palette is laid out in the pixels its pictures are drawn in, the logical ones: on a
// scaled display it grows with its pictures, which keep their margins inside the buttons.
int pixelsX(double twips) {
    return toolkit::twipsToPixels(twips, capture::state().twipsPerPixelX);
}

int pixelsY(double twips) {
    return toolkit::twipsToPixels(twips, capture::state().twipsPerPixelY);
}

}  // namespace

ObjectsPalette::ObjectsPalette() {
    setWindowTitle(QStringLiteral("Objects"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(pixelsX(990), pixelsY(4230));
    buttonFrame = new QFrame(this);
    buttonFrame->setFrameShape(QFrame::Box);
    buttonFrame->setGeometry(0, 0, pixelsX(975), pixelsY(4215));

    struct Button {
        QToolButton** button;
        Picture picture;
        const char* tip;
    };
    const Button buttons[] = {
        {&textButton, Picture::Text, "Add text to your capture"},
        {&rectangleButton, Picture::Rectangle, "Add rectangle to your capture"},
        {&roundedRectangleButton, Picture::RoundedRectangle,
         "Add rounded rectangle to your capture"},
        {&ellipseButton, Picture::Ellipse, "Add ellipse to your capture"},
        {&circleButton, Picture::Circle, "Add circle to your capture"},
        {&lineButton, Picture::Line, "Add line to your capture"},
        {&arrowButton, Picture::Arrow, "Add arrow to your capture"},
        {&imageButton, Picture::Image, "Add image to your capture"},
    };
    int top = 240;
    for (const Button& b : buttons) {
        auto* button = new QToolButton(this);
        button->setIcon(buttonPicture(b.picture, devicePixelRatioF()));
        button->setIconSize(kPictureSize);
        button->setToolTip(QString::fromLatin1(b.tip));
        button->setGeometry(pixelsX(120), pixelsY(top), pixelsX(735), pixelsY(495));
        *b.button = button;
        top += 480;
    }
    connect(rectangleButton, &QToolButton::clicked, this,
            [this] { addShapeOf(CanvasShape::Rectangle); });
    connect(roundedRectangleButton, &QToolButton::clicked, this,
            [this] { addShapeOf(CanvasShape::RoundedRectangle); });
    connect(ellipseButton, &QToolButton::clicked, this, [this] { addShapeOf(CanvasShape::Oval); });
    connect(circleButton, &QToolButton::clicked, this, [this] { addShapeOf(CanvasShape::Circle); });
    connect(imageButton, &QToolButton::clicked, this, [this] { addImageFromFile(); });
    connect(lineButton, &QToolButton::clicked, this, [this] { addLineOf(false); });
    connect(arrowButton, &QToolButton::clicked, this, [this] { addLineOf(true); });
    connect(textButton, &QToolButton::clicked, this, [this] { addText(); });

    state().freeze.popupNoticeShown = false;
    placeOnScreen();
}

void ObjectsPalette::placeOnScreen() {
    const double ratio = devicePixelRatioF();
    const int screenWidth = int(capture::state().screenPixelWidth / ratio);
    move(paletteFramePlace(screenWidth, frameGeometry().size()));
}

bool ObjectsPalette::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The window manager's frame is known only once the window is up: the place is corrected
    // for it once, and after that the palette stays where the user puts it.
    if (!frameKnown_ && isVisible() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
         event->type() == QEvent::Show) &&
        frameGeometry().size() != size()) {
        frameKnown_ = true;
        placeOnScreen();
    }
    return handled;
}

void ObjectsPalette::closeEvent(QCloseEvent* event) {
    event->accept();
    state().freeze.popupNoticeShown = false;
    if (windows().objectsPalette.peek() == this)
        windows().objectsPalette.drop();
}

void ObjectsPalette::showFor(ObjectLayer& layer) {
    layer_ = &layer;
    QWidget* owner = layer.stage().stageWindow();
    winId();
    if (owner && windowHandle()) {
        owner->winId();
        // Transient for the frozen screen, so that it stays above that full-screen window.
        windowHandle()->setTransientParent(owner->windowHandle());
    }
    show();
    raise();
    activateWindow();
}

void ObjectsPalette::placeNewObject() {
    const auto& captureState = capture::state();
    const double ratio = devicePixelRatioF();
    const QRect frame = frameGeometry();
    const QRectF devicePixels(frame.left() * ratio, frame.top() * ratio, frame.width() * ratio,
                              frame.height() * ratio);
    state().newObjectPos =
        newObjectPlace(devicePixels, captureState.twipsPerPixelX, captureState.twipsPerPixelY);
}

void ObjectsPalette::addShapeOf(int figure) {
    placeNewObject();
    if (!layer_)
        return;
    const auto& captureState = capture::state();
    addShape(layer_->items(), figure, captureState.twipsPerPixelX, captureState.twipsPerPixelY);
    noticeAddedObject();
}

void ObjectsPalette::addText() {
    placeNewObject();
    if (layer_)
        windows().textOptions->openFor(*layer_);
}

void ObjectsPalette::addLineOf(bool arrow) {
    placeNewObject();
    if (!layer_)
        return;
    const auto& captureState = capture::state();
    addLine(layer_->items(), arrow, captureState.twipsPerPixelX, captureState.twipsPerPixelY);
    noticeAddedObject();
}

void ObjectsPalette::addImageFromFile() {
    placeNewObject();
    if (!layer_)
        return;
    auto& s = state();
    QWidget* owner = layer_->stage().stageWindow();
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.directory = s.lastImagePath.isEmpty() ? QCoreApplication::applicationDirPath()
                                                  : QFileInfo(s.lastImagePath).absolutePath();
    request.filter = QStringLiteral(
        "Image Files (*.ico,*.bmp,*.jpg, *.gif) "
        "(*.[iI][cC][oO] *.[bB][mM][pP] *.[jJ][pP][gG] *.[gG][iI][fF])");
    const std::optional<QString> chosen = platform::dialogs().openFile(request, owner);
    if (!chosen)
        return;
    s.lastImagePath = *chosen;
    const LoadedPicture loaded = loadPicture(*chosen);
    if (loaded.error != 0) {
        // Nothing is taken or changed for a file that holds no picture.
        platform::dialogs().message(
            QString::number(loaded.error) + QLatin1Char(' ') + loaded.description,
            platform::MsgButtons::Ok, platform::MsgIcon::None, QStringLiteral("Quorvalline"),
            owner);
        return;
    }
    // The desktop may have been released while the dialog was open.
    if (!layer_)
        return;
    const auto& captureState = capture::state();
    addImage(layer_->items(), loaded.picture, captureState.twipsPerPixelX,
             captureState.twipsPerPixelY);
    noticeAddedObject();
}

void ObjectsPalette::noticeAddedObject() {
    if (options::state().settings.autoPopupMenu && !state().freeze.popupNoticeShown)
        informUser();
}

void ObjectsPalette::informUser() {
    objects::informUser(this);
}

void informUser(QWidget* owner) {
    platform::dialogs().message(
        QStringLiteral("Autopopup Contextmenu will be disabled for this session !"),
        platform::MsgButtons::Ok, platform::MsgIcon::Information, QStringLiteral("Quorvalline"),
        owner);
    state().freeze.popupNoticeShown = true;
}

}  // namespace qv::objects
