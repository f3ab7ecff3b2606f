#include "objects/shapeoptionsdialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "objects/adding.h"
#include "objects/fontchoice.h"
#include "objects/objectlayer.h"
#include "objects/previewcanvas.h"
#include "objects/state.h"
#include "objects/toolwindow.h"
#include "objects/widthbox.h"
#include "objects/windows.h"
#include "platform/services.h"
#include "toolkit/colors.h"

namespace qv::objects {

namespace {

// The OK pause lets the screen under the window repaint before the area is captured again.
constexpr int kRepaintPauseMs = 500;

const char* const kFillCaptions[8] = {"Solid",       "Transparent",         "Horiz. Lines",
                                      "Vert. Lines", "Up Diagonal Lines",   "Down Diagonal Lines",
                                      "Cross Lines", "Diagonal Cross Lines"};

}  // namespace

ShapeStyle ShapeStyle::of(const CanvasShape& shape) {
    return {shape.shape(),       shape.opaque(),      shape.backColor(), shape.borderStyle(),
            shape.borderWidth(), shape.borderColor(), shape.fillStyle(), shape.fillColor()};
}

void ShapeStyle::applyTo(CanvasShape& shape) const {
    shape.setShape(CanvasShape::Shape(this->shape));
    shape.setBackColor(backColor);
    shape.setOpaque(opaque);
    shape.setBorderColor(borderColor);
    shape.setBorderStyle(CanvasShape::BorderStyle(borderStyle));
    shape.setBorderWidth(borderWidth);
    shape.setFillColor(fillColor);
    shape.setFillStyle(fillStyle);
}

ShapeOptionsDialog::ShapeOptionsDialog()
    : StyleOptionsWindow(
          QStringLiteral("Shape Options"),
          {&FreezeFlags::shapeOptionsOpen, &FreezeFlags::shapeColorDialogOpen, false}) {
    auto* optionsFrame = new QGroupBox(QStringLiteral("Shape Options:"), this);

    auto* previewFrame = new QGroupBox(optionsFrame);
    auto* previewLabel = new QLabel(QStringLiteral("Preview Shape:"), previewFrame);
    previewCanvas = makePreviewCanvas(previewFrame, 2700, 1800, palette().color(QPalette::Window));
    preview_ = previewCanvas->addShape(CanvasItem::Role::Object);
    preview_->setGeometry(300, 300, 2100, 1200);
    auto* previewLayout = new QVBoxLayout(previewFrame);
    previewLayout->addWidget(previewLabel);
    previewLayout->addWidget(previewCanvas);

    auto* borderFrame = new QGroupBox(QStringLiteral("Borderstyle:"), optionsFrame);
    solidButton = new QRadioButton(QStringLiteral("Solid"), borderFrame);
    dashButton = new QRadioButton(QStringLiteral("Dash"), borderFrame);
    dottedButton = new QRadioButton(QStringLiteral("Dotted"), borderFrame);
    auto* widthLabel = new QLabel(QStringLiteral("Borderwidth:"), borderFrame);
    widthEdit = new QLineEdit(borderFrame);
    auto* borderLayout = new QGridLayout(borderFrame);
    borderLayout->addWidget(solidButton, 0, 0);
    borderLayout->addWidget(dashButton, 1, 0);
    borderLayout->addWidget(dottedButton, 2, 0);
    borderLayout->addWidget(widthLabel, 0, 1);
    borderLayout->addWidget(widthEdit, 1, 1);
    borderColorButton = new QPushButton(QStringLiteral("Border Color..."), optionsFrame);

    auto* backFrame = new QGroupBox(QStringLiteral("Backstyle:"), optionsFrame);
    transparentButton = new QRadioButton(QStringLiteral("Transparent"), backFrame);
    opaqueButton = new QRadioButton(QStringLiteral("Opaque"), backFrame);
    auto* backLayout = new QVBoxLayout(backFrame);
    backLayout->addWidget(transparentButton);
    backLayout->addWidget(opaqueButton);
    backColorButton = new QPushButton(QStringLiteral("Back Color..."), optionsFrame);

    auto* fillFrame = new QGroupBox(QStringLiteral("Fillstyle:"), optionsFrame);
    auto* fillLayout = new QGridLayout(fillFrame);
    for (int i = 0; i < 8; ++i) {
        fillButtons[i] = new QRadioButton(QString::fromLatin1(kFillCaptions[i]), fillFrame);
        fillLayout->addWidget(fillButtons[i], i % 4, i / 4);
    }
    fillColorButton = new QPushButton(QStringLiteral("Fill Color..."), optionsFrame);
    rememberBox = new QCheckBox(QStringLiteral("Remember for next shape"), optionsFrame);
    okButton = new QPushButton(QStringLiteral("&OK"), this);
    cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);

    auto* frameLayout = new QGridLayout(optionsFrame);
    frameLayout->addWidget(previewFrame, 0, 0, 2, 1);
    frameLayout->addWidget(borderFrame, 0, 1);
    frameLayout->addWidget(borderColorButton, 1, 1);
    frameLayout->addWidget(backFrame, 2, 0);
    frameLayout->addWidget(backColorButton, 3, 0);
    frameLayout->addWidget(fillFrame, 2, 1);
    frameLayout->addWidget(fillColorButton, 3, 1);
    frameLayout->addWidget(rememberBox, 4, 0, 1, 2);
    layOutOptionsWindow(*this, *optionsFrame, nullptr, *okButton, *cancelButton);

    // A user's click runs a button's action; filling runs it through the select functions.
    connect(solidButton, &QRadioButton::clicked, this, [this] { selectBorderStyle(1); });
    connect(dashButton, &QRadioButton::clicked, this, [this] { selectBorderStyle(2); });
    connect(dottedButton, &QRadioButton::clicked, this, [this] { selectBorderStyle(3); });
    connect(transparentButton, &QRadioButton::clicked, this, [this] { selectBackStyle(0); });
    connect(opaqueButton, &QRadioButton::clicked, this, [this] { selectBackStyle(1); });
    for (int i = 0; i < 8; ++i)
        connect(fillButtons[i], &QRadioButton::clicked, this, [this, i] { selectFillStyle(i); });
    widthBox_ = new WidthBox(
        *widthEdit, [this](int width) { preview_->setBorderWidth(width); },
        [this](bool enabled) { enableBorderStyles(enabled); });
    connect(borderColorButton, &QPushButton::clicked, this,
            [this] { chooseColor(&ShapeStyle::borderColor); });
    connect(backColorButton, &QPushButton::clicked, this,
            [this] { chooseColor(&ShapeStyle::backColor); });
    connect(fillColorButton, &QPushButton::clicked, this,
            [this] { chooseColor(&ShapeStyle::fillColor); });
    connect(rememberBox, &QCheckBox::toggled, this, [this](bool on) { rememberChanged(on); });
    connect(okButton, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { leave(); });
}

ShapeOptionsDialog::~ShapeOptionsDialog() = default;

ShapeStyle ShapeOptionsDialog::previewStyle() const {
    return ShapeStyle::of(*preview_);
}

void ShapeOptionsDialog::openFor(ObjectLayer& layer) {
    // After a release hid the window it shows again as it was; only its activation refills it.
    showFor(layer, *widthEdit);
}

void ShapeOptionsDialog::fill(bool loading) {
    if (!layer_)
        return;
    const CanvasShape& shape = *layer_->items().shapes[state().currentShape];
    preview_->setShape(shape.shape());
    if (loading)
        rememberBox->setChecked(shapeDefaultsFor(shape.shape()).remember);
    preview_->setBackColor(shape.backColor());
    selectBackStyle(shape.opaque() ? 1 : 0);
    preview_->setBorderColor(shape.borderColor());
    selectBorderStyle(shape.borderStyle());
    preview_->setBorderWidth(shape.borderWidth());
    widthEdit->setText(QString::number(shape.borderWidth()));
    preview_->setFillColor(shape.fillColor());
    selectFillStyle(shape.fillStyle());
}

void ShapeOptionsDialog::selectBorderStyle(int style) {
    QRadioButton* const buttons[] = {solidButton, dashButton, dottedButton};
    if (style < 1 || style > 3)
        return;
    buttons[style - 1]->setChecked(true);
    preview_->setBorderStyle(CanvasShape::BorderStyle(style));
}

void ShapeOptionsDialog::selectBackStyle(int style) {
    if (style != 0 && style != 1)
        return;
    (style == 1 ? opaqueButton : transparentButton)->setChecked(true);
    preview_->setOpaque(style == 1);
    backColorButton->setEnabled(style == 1);
}

void ShapeOptionsDialog::selectFillStyle(int style) {
    if (style < 0 || style > 7)
        return;
    fillButtons[style]->setChecked(true);
    preview_->setFillStyle(style);
}

void ShapeOptionsDialog::enableBorderStyles(bool enabled) {
    for (QRadioButton* button : {solidButton, dashButton, dottedButton})
        button->setEnabled(enabled);
}

void ShapeOptionsDialog::chooseColor(QColor ShapeStyle::*target) {
    // From the first colour dialog on, returning to this window keeps what it shows.
    const auto color = chooseObjectColor(colorDialogOwner());
    if (!color)
        return;
    ShapeStyle style = previewStyle();
    style.*target = toolkit::colorFromValue(*color);
    style.applyTo(*preview_);
}

void ShapeOptionsDialog::rememberChanged(bool on) {
    shapeDefaultsFor(preview_->shape()).remember = on;
}

void ShapeOptionsDialog::accept() {
    markClosed(true);
    auto& s = state();
    QPointer<ObjectLayer> layer = layer_;
    if (layer) {
        CanvasShape& shape = *layer->items().shapes[s.currentShape];
        previewStyle().applyTo(shape);
        ShapeDefaults& record = shapeDefaultsFor(shape.shape());
        if (record.remember) {
            record.backStyle = qint16(shape.opaque() ? 1 : 0);
            record.backColor = toolkit::colorValue(shape.backColor());
            record.borderStyle = qint16(shape.borderStyle());
            record.borderWidth = widthBox_->typedValue();
            record.borderColor = toolkit::colorValue(shape.borderColor());
            record.fillStyle = qint16(shape.fillStyle());
            record.fillColor = toolkit::colorValue(shape.fillColor());
        }
    }
    hide();
    platform::clock().processEvents();
    platform::clock().sleep(kRepaintPauseMs);
    windows().shapeOptions.drop();
    if (layer)
        layer->stage().captureAreaAgain();
}

void ShapeOptionsDialog::leave() {
    markClosed(false);
    windows().shapeOptions.drop();
}

void ShapeOptionsDialog::unload() {
    if (windows().shapeOptions.peek() == this)
        windows().shapeOptions.drop();
}

}  // namespace qv::objects
