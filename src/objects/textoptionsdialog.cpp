#include "objects/textoptionsdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "objects/objectlayer.h"
#include "objects/objectspalette.h"
#include "objects/state.h"
#include "objects/toolwindow.h"
#include "objects/windows.h"
#include "options/state.h"
#include "platform/services.h"
#include "toolkit/colors.h"
#include "toolkit/numbers.h"

namespace qv::objects {

namespace {

constexpr qint64 kRed = 0x0000ff;

}  // namespace

TextOptionsDialog::TextOptionsDialog() {
    makeToolWindow(*this, QStringLiteral("Text Options"));
    optionsFrame = new QGroupBox(QStringLiteral("Text Options:"), this);
    previewEdit = new QPlainTextEdit(optionsFrame);
    previewEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    previewEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    previewEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    previewEdit->setToolTip(QStringLiteral("Type your text here"));
    previewEdit->setMinimumSize(300, 120);
    fontsButton = new QPushButton(QStringLiteral("&Fonts..."), optionsFrame);
    backColorButton = new QPushButton(QStringLiteral("&Backcolor..."), optionsFrame);
    transparentBox = new QCheckBox(QStringLiteral("Backstyle transparent"), optionsFrame);
    rememberBox = new QCheckBox(QStringLiteral("Remember for next text"), this);
    okButton = new QPushButton(QStringLiteral("&OK"), this);
    cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);

    auto* frameLayout = new QGridLayout(optionsFrame);
    frameLayout->addWidget(previewEdit, 0, 0, 1, 3);
    frameLayout->addWidget(fontsButton, 1, 0);
    frameLayout->addWidget(backColorButton, 1, 1);
    frameLayout->addWidget(transparentBox, 1, 2);
    layOutOptionsWindow(*this, *optionsFrame, rememberBox, *okButton, *cancelButton);

    // Set by code or by the user, a box acts only when its value changes.
    connect(transparentBox, &QCheckBox::toggled, this, [this](bool on) { transparentChanged(on); });
    connect(rememberBox, &QCheckBox::toggled, this,
            [](bool on) { state().textDefaults.remember = on; });
    connect(fontsButton, &QPushButton::clicked, this, [this] { chooseFont(); });
    connect(backColorButton, &QPushButton::clicked, this, [this] { chooseBackColor(); });
    connect(okButton, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { leave(); });
}

QColor TextOptionsDialog::dialogColor() const {
    return palette().color(QPalette::Window);
}

bool TextOptionsDialog::editsCurrentText() const {
    const auto& s = state();
    return s.textEditMode && layer_ && layer_->items().texts[s.currentText]->isVisible();
}

void TextOptionsDialog::openFor(ObjectLayer& layer) {
    if (!isVisible()) {
        layer_ = &layer;
        load();
    }
    showOnStage(*this, layer, *previewEdit);
}

void TextOptionsDialog::load() {
    const auto& s = state();
    const TextDefaults& record = s.textDefaults;
    rememberBox->setChecked(record.remember);
    transparentBox->setChecked(true);
    previewEdit->setPlainText(QStringLiteral("Your text here"));
    const QFont design = QApplication::font();
    style_ = FontStyle::of(design, kRed);
    style_.bold = true;
    style_.size = 10;
    background_ = dialogColor();
    const CanvasLabel& current = *layer_->items().texts[s.currentText];
    // A record that was never stored leaves the defaults.
    if (record.remember && record.fontName) {
        style_.name = *record.fontName;
        style_.bold = record.bold;
        style_.size = record.fontSize.value_or(10);
        style_.color = record.foreColor.value_or(kRed);
        style_.italic = record.italic;
        style_.underline = record.underline;
        style_.strikeout = record.strikeout;
        takeBackStyle(current.opaque(),
                      toolkit::colorFromValue(record.backColor.value_or(0xffffff)));
    }
    if (editsCurrentText()) {
        previewEdit->setPlainText(current.caption());
        style_ = FontStyle::of(current.font(), toolkit::colorValue(current.textColor()));
        takeBackStyle(current.opaque(), current.backgroundColor());
    }
    showPreview();
}

void TextOptionsDialog::takeBackStyle(bool opaque, const QColor& back) {
    if (!opaque) {
        background_ = dialogColor();
        transparentBox->setChecked(true);
        showPreview();
        return;
    }
    background_ = back;
    state().textBackColor = toolkit::colorValue(back);
    transparentBox->setChecked(false);
    showPreview();
}

void TextOptionsDialog::transparentChanged(bool transparent) {
    backColorButton->setEnabled(!transparent);
    if (transparent) {
        background_ = dialogColor();
    } else {
        const auto& chosen = state().textBackColor;
        background_ = chosen ? toolkit::colorFromValue(*chosen) : QColor(Qt::white);
    }
    showPreview();
}

void TextOptionsDialog::showPreview() {
    previewEdit->setFont(style_.font());
    QPalette colors = previewEdit->palette();
    colors.setColor(QPalette::Text, toolkit::colorFromValue(style_.color));
    colors.setColor(QPalette::Base, background_);
    previewEdit->setPalette(colors);
}

void TextOptionsDialog::chooseFont() {
    QWidget* owner = layer_ ? layer_->stage().stageWindow() : this;
    const int tenths = toolkit::toInt(toolkit::roundHalfEven(style_.size * 10));
    showFontDialog(style_, style_, tenths, owner);
    showPreview();
}

void TextOptionsDialog::chooseBackColor() {
    QWidget* owner = layer_ ? layer_->stage().stageWindow() : this;
    if (const auto color = chooseObjectColor(owner)) {
        state().textBackColor = *color;
        background_ = toolkit::colorFromValue(*color);
        showPreview();
    }
}

void TextOptionsDialog::accept() {
    auto& s = state();
    if (!layer_)
        return leave();
    const ObjectItems& items = layer_->items();
    const bool editing = editsCurrentText();
    int index = s.currentText;
    if (!editing) {
        index = firstFree(items.texts);
        if (index < 0) {
            // The typed text stays in the window, so that nothing is lost.
            platform::dialogs().message(QStringLiteral("No more texts can be added !"),
                                        platform::MsgButtons::Ok, platform::MsgIcon::Information,
                                        QStringLiteral("Quorvalline"), this);
            return;
        }
    }
    CanvasLabel& text = *items.texts[index];
    text.setCaption(previewEdit->toPlainText());
    text.setFont(style_.font());
    text.setTextColor(toolkit::colorFromValue(style_.color));
    const bool transparent = transparentBox->isChecked();
    text.setOpaque(!transparent);
    if (!transparent)
        text.setBackgroundColor(background_);
    if (!editing) {
        s.currentText = qint16(index);
        text.show();
        text.move(s.newObjectPos.x(), s.newObjectPos.y());
    }
    TextDefaults& record = s.textDefaults;
    if (record.remember) {
        record.fontName = style_.name;
        record.bold = style_.bold;
        record.fontSize = style_.size;
        record.foreColor = style_.color;
        record.italic = style_.italic;
        record.underline = style_.underline;
        record.strikeout = style_.strikeout;
        record.backColor = toolkit::colorValue(background_);
    }
    s.textEditMode = false;
    s.freeze.objectsAdded = true;
    if (options::state().settings.autoPopupMenu && !s.freeze.popupNoticeShown)
        informUser(layer_->stage().stageWindow());
    QPointer<ObjectLayer> layer = layer_;
    windows().textOptions.drop();
    if (layer)
        layer->frameCurrentText();
}

void TextOptionsDialog::leave() {
    state().textEditMode = false;
    windows().textOptions.drop();
}

void TextOptionsDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    state().textEditMode = false;
    if (windows().textOptions.peek() == this)
        windows().textOptions.drop();
}

void TextOptionsDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    state().freeze.textOptionsOpen = true;
}

void TextOptionsDialog::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    state().freeze.textOptionsOpen = false;
}

}  // namespace qv::objects
