#include "objects/lineoptionsdialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "objects/fontchoice.h"
#include "objects/objectlayer.h"
#include "objects/previewcanvas.h"
#include "objects/state.h"
#include "objects/toolwindow.h"
#include "objects/widthbox.h"
#include "objects/windows.h"
#include "toolkit/colors.h"

namespace qv::objects {

namespace {

// Takes the colour, style and width of another line.
void copyStyle(const CanvasLine& from, CanvasLine& to) {
    to.setBorderColor(from.borderColor());
    to.setBorderStyle(from.borderStyle());
    to.setBorderWidth(from.borderWidth());
}

}  // namespace

// The close box, like Cancel, leaves the next window filled only as it loads.
LineOptionsDialog::LineOptionsDialog()
    : StyleOptionsWindow(QStringLiteral("Line Options"),
                         {&FreezeFlags::lineOptionsOpen, &FreezeFlags::lineColorDialogOpen, true}) {
    auto* optionsFrame = new QGroupBox(QStringLiteral("Line Options:"), this);

    auto* previewFrame = new QGroupBox(optionsFrame);
    auto* previewLabel = new QLabel(QStringLiteral("Preview:"), previewFrame);
    previewCanvas = makePreviewCanvas(previewFrame, 2640, 1080, palette().color(QPalette::Window));
    // An arrow whose head lies at the left end of its shaft.
    shaft_ = previewCanvas->addLine(CanvasItem::Role::Object);
    shaft_->setPoints(360, 480, 2280, 480);
    stroke1_ = previewCanvas->addLine(CanvasItem::Role::Object);
    stroke1_->setPoints(720, 360, 360, 480);
    stroke2_ = previewCanvas->addLine(CanvasItem::Role::Object);
    stroke2_->setPoints(360, 480, 720, 600);
    auto* previewLayout = new QVBoxLayout(previewFrame);
    previewLayout->addWidget(previewLabel);
    previewLayout->addWidget(previewCanvas);

    solidButton = new QRadioButton(QStringLiteral("Solid"), optionsFrame);
    dashButton = new QRadioButton(QStringLiteral("Dash"), optionsFrame);
    dottedButton = new QRadioButton(QStringLiteral("Dotted"), optionsFrame);
    auto* widthLabel = new QLabel(QStringLiteral("Borderwidth:"), optionsFrame);
    widthEdit = new QLineEdit(optionsFrame);
    colorButton = new QPushButton(QStringLiteral("Color..."), optionsFrame);
    rememberBox = new QCheckBox(QStringLiteral("Remember for next line/arrow"), this);
    okButton = new QPushButton(QStringLiteral("&OK"), this);
    cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);

    auto* frameLayout = new QGridLayout(optionsFrame);
    frameLayout->addWidget(previewFrame, 0, 0, 4, 1);
    frameLayout->addWidget(solidButton, 0, 1);
    frameLayout->addWidget(dashButton, 1, 1);
    frameLayout->addWidget(dottedButton, 2, 1);
    frameLayout->addWidget(widthLabel, 0, 2);
    frameLayout->addWidget(widthEdit, 1, 2);
    frameLayout->addWidget(colorButton, 2, 2);
    layOutOptionsWindow(*this, *optionsFrame, rememberBox, *okButton, *cancelButton);

    connect(solidButton, &QRadioButton::clicked, this, [this] { selectStyle(1); });
    connect(dashButton, &QRadioButton::clicked, this, [this] { selectStyle(2); });
    connect(dottedButton, &QRadioButton::clicked, this, [this] { selectStyle(3); });
    widthBox_ = new WidthBox(
        *widthEdit, [this](int width) { setWidth(width); },
        [this](bool enabled) { enableStyles(enabled); });
    connect(colorButton, &QPushButton::clicked, this, [this] { chooseColor(); });
    // One flag for lines and arrows; Cancel does not take it back.
    connect(rememberBox, &QCheckBox::toggled, this,
            [](bool on) { state().rememberLineStyle = on; });
    connect(okButton, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancel(); });
}

LineOptionsDialog::~LineOptionsDialog() = default;

void LineOptionsDialog::openFor(ObjectLayer& layer) {
    // After a release hid the window it shows again as it was; only its activation refills it.
    showFor(layer, *widthEdit);
}

void LineOptionsDialog::fill(bool loading) {
    if (!layer_)
        return;
    const auto& s = state();
    const ObjectItems& items = layer_->items();
    if (loading)
        rememberBox->setChecked(s.rememberLineStyle);
    const CanvasLine& line = *items.lines[s.currentLine];
    shaft_->setBorderColor(line.borderColor());
    selectStyle(line.borderStyle());
    shaft_->setBorderWidth(line.borderWidth());
    widthEdit->setText(QString::number(line.borderWidth()));
    const bool arrow = items.headStrokes1[s.currentLine]->isVisible();
    if (arrow) {
        copyStyle(*shaft_, *stroke1_);
        copyStyle(*shaft_, *stroke2_);
    }
    stroke1_->setVisible(arrow);
    stroke2_->setVisible(arrow);
}

void LineOptionsDialog::selectStyle(int style) {
    QRadioButton* const buttons[] = {solidButton, dashButton, dottedButton};
    if (style < 1 || style > 3)
        return;
    buttons[style - 1]->setChecked(true);
    for (CanvasLine* line : {shaft_, stroke1_, stroke2_})
        line->setBorderStyle(CanvasShape::BorderStyle(style));
}

void LineOptionsDialog::setWidth(int width) {
    for (CanvasLine* line : {shaft_, stroke1_, stroke2_})
        line->setBorderWidth(width);
}

void LineOptionsDialog::enableStyles(bool enabled) {
    for (QRadioButton* button : {solidButton, dashButton, dottedButton})
        button->setEnabled(enabled);
}

void LineOptionsDialog::chooseColor() {
    if (const auto color = chooseObjectColor(colorDialogOwner())) {
        for (CanvasLine* line : {shaft_, stroke1_, stroke2_})
            line->setBorderColor(toolkit::colorFromValue(*color));
    }
}

void LineOptionsDialog::accept() {
    markClosed(true);
    auto& s = state();
    QPointer<ObjectLayer> layer = layer_;
    if (layer) {
        const ObjectItems& items = layer->items();
        CanvasLine& line = *items.lines[s.currentLine];
        // A plain line's head strokes take the style too, ready should they ever show.
        for (CanvasLine* target :
             {&line, items.headStrokes1[s.currentLine], items.headStrokes2[s.currentLine]})
            copyStyle(*shaft_, *target);
        if (s.rememberLineStyle) {
            LineDefaults& record = stroke1_->isVisible() ? s.arrowDefaults : s.lineDefaults;
            record.borderColor = toolkit::colorValue(line.borderColor());
            record.borderStyle = qint16(line.borderStyle());
            record.borderWidth = widthBox_->typedValue();
        }
    }
    hide();
    windows().lineOptions.drop();
    if (layer)
        layer->stage().captureAreaAgain();
}

void LineOptionsDialog::cancel() {
    // Until an OK or a release, the next window is filled only as it loads.
    markClosed(false);
    windows().lineOptions.drop();
}

void LineOptionsDialog::unload() {
    if (windows().lineOptions.peek() == this)
        windows().lineOptions.drop();
}

}  // namespace qv::objects
