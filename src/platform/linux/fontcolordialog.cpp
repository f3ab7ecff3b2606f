#include "platform/linux/fontcolordialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QVBoxLayout>

namespace qv::platform {

namespace {

struct NamedColor {
    const char* name;
    QRgb rgb;
};

constexpr NamedColor kColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x800000},  {"Green", 0x008000}, {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080},  {"Teal", 0x008080},  {"Gray", 0x808080},
    {"Silver", 0xc0c0c0}, {"Red", 0xff0000},     {"Lime", 0x00ff00},  {"Yellow", 0xffff00},
    {"Blue", 0x0000ff},   {"Fuchsia", 0xff00ff}, {"Aqua", 0x00ffff},  {"White", 0xffffff},
};

// The chooser's sample line: the one line edit inside a group box.
QLineEdit* sampleOf(QFontDialog& chooser) {
    for (auto* group : chooser.findChildren<QGroupBox*>()) {
        if (auto* sample = group->findChild<QLineEdit*>())
            return sample;
    }
    return nullptr;
}

void showInColor(QLineEdit* sample, const QColor& color) {
    if (!sample)
        return;
    QPalette colors = sample->palette();
    colors.setColor(QPalette::Text, color);
    sample->setPalette(colors);
}

QIcon swatch(const QColor& color) {
    QPixmap pixmap(24, 12);
    pixmap.fill(color);
    return QIcon(pixmap);
}

}  // namespace

FontColorDialog::FontColorDialog(const FontChoice& initial, QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Font"));
    setModal(true);
    fontChooser = new QFontDialog(this);
    fontChooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fontChooser->setWindowFlags(Qt::Widget);
    // A family name that stands for another (the toolkit's "Sans Serif") lists no bold style,
    // so the chooser would open on a regular font: it opens on the family actually shown.
    QFont start = initial.font;
    start.setFamily(QFontInfo(start).family());
    fontChooser->setCurrentFont(start);
    // The embedded chooser is a dialog of its own: Escape and Enter in its lists end it, and
    // must end this one.
    connect(fontChooser, &QDialog::rejected, this, &QDialog::reject);
    connect(fontChooser, &QDialog::accepted, this, &QDialog::accept);

    colorCombo = new QComboBox(this);
    const QRgb incoming = initial.color.rgb() & 0xffffff;
    bool known = false;
    for (const NamedColor& c : kColors) {
        colorCombo->addItem(swatch(QColor(c.rgb)), QString::fromLatin1(c.name), QColor(c.rgb));
        known = known || c.rgb == incoming;
    }
    // A colour of the text that is none of the sixteen stays on offer, so OK keeps it.
    if (!known) {
        colorCombo->addItem(swatch(initial.color), QStringLiteral("Custom"), initial.color);
    }
    for (int i = 0; i < colorCombo->count(); ++i) {
        if ((colorCombo->itemData(i).value<QColor>().rgb() & 0xffffff) == incoming) {
            colorCombo->setCurrentIndex(i);
            break;
        }
    }
    // The sample shows the letters as they will be, in their colour too.
    QLineEdit* sample = sampleOf(*fontChooser);
    showInColor(sample, colorCombo->currentData().value<QColor>());
    connect(colorCombo, &QComboBox::currentIndexChanged, this,
            [this, sample] { showInColor(sample, colorCombo->currentData().value<QColor>()); });
    auto* colorLabel = new QLabel(QStringLiteral("Color:"), this);
    colorLabel->setBuddy(colorCombo);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(colorCombo);
    colorRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fontChooser);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
}

FontChoice FontColorDialog::choice() const {
    return {fontChooser->currentFont(), colorCombo->currentData().value<QColor>()};
}

}  // namespace qv::platform
