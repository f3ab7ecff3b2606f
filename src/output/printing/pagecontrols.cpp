#include "output/printing/pagecontrols.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QValidator>
#include <cmath>

#include "toolkit/numbers.h"

namespace qv::output {

namespace {

constexpr int kMaxLength = 4;
constexpr int kMostCopies = 1000;

// Limits what the user types, never what the program shows: a margin converted between
// units ("0.984251968503937") is kept whole, so saving it loses nothing.
class TypedLength : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return input.size() <= kMaxLength ? Acceptable : Invalid;
    }
};

QLineEdit* numberBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setValidator(new TypedLength(box));
    box->setFixedWidth(48);
    return box;
}

}  // namespace

PageControls::PageControls(QWidget* parent) : QObject(parent) {
    marginsGroup = new QGroupBox(QStringLiteral("Margins : (mm)"), parent);
    auto* margins = new QGridLayout(marginsGroup);
    const struct {
        QLabel** label;
        const char* caption;
        QLineEdit** box;
        QLabel** unit;
        int row;
        int column;
    } rows[] = {
        {&leftLabel, "Left:", &leftMarginEdit, &leftUnitLabel, 0, 0},
        {&rightLabel, "Right:", &rightMarginEdit, &rightUnitLabel, 0, 3},
        {&topLabel, "Top:", &topMarginEdit, &topUnitLabel, 1, 0},
        {&bottomLabel, "Bottom:", &bottomMarginEdit, &bottomUnitLabel, 1, 3},
    };
    for (const auto& r : rows) {
        *r.label = new QLabel(QString::fromLatin1(r.caption), marginsGroup);
        *r.box = numberBox(marginsGroup);
        *r.unit = new QLabel(QStringLiteral("mm"), marginsGroup);
        margins->addWidget(*r.label, r.row, r.column);
        margins->addWidget(*r.box, r.row, r.column + 1);
        margins->addWidget(*r.unit, r.row, r.column + 2);
        (*r.box)->installEventFilter(this);
        QLineEdit* box = *r.box;
        connect(box, &QLineEdit::textChanged, this, [this, box] { dropNonNumber(box); });
    }

    orientationGroup = new QGroupBox(QStringLiteral("Orientation:"), parent);
    auto* orientation = new QVBoxLayout(orientationGroup);
    portraitButton = new QRadioButton(QStringLiteral("&Portrait"), orientationGroup);
    landscapeButton = new QRadioButton(QStringLiteral("L&andscape"), orientationGroup);
    orientation->addWidget(portraitButton);
    orientation->addWidget(landscapeButton);
    connect(portraitButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on && orientationChosen)
            orientationChosen(QStringLiteral("Portrait"));
    });
    connect(landscapeButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on && orientationChosen)
            orientationChosen(QStringLiteral("Landscape"));
    });

    copiesGroup = new QGroupBox(QStringLiteral("Copies:"), parent);
    auto* copies = new QHBoxLayout(copiesGroup);
    copiesEdit = numberBox(copiesGroup);
    copiesBar = new QScrollBar(Qt::Vertical, copiesGroup);
    // The up arrow lowers the value, so it raises the count.
    copiesBar->setRange(-kMostCopies, -1);
    copiesBar->setSingleStep(1);
    copiesBar->setPageStep(1);
    copiesBar->setValue(-1);
    copiesBar->setFixedHeight(copiesEdit->sizeHint().height());
    copies->addWidget(copiesEdit);
    copies->addWidget(copiesBar);
    copies->addStretch();
    connect(copiesEdit, &QLineEdit::textChanged, this, [this] { followCopiesBox(); });
    connect(copiesBar, &QScrollBar::valueChanged, this,
            [this](int value) { copiesEdit->setText(QString::number(std::abs(value))); });
}

void PageControls::showUnits(std::optional<Units> units) {
    if (!units)
        return;
    marginsGroup->setTitle(
        QStringLiteral("Margins: (%1)")
            .arg(*units == Units::US ? QStringLiteral("Inches") : QStringLiteral("mm")));
    for (QLabel* label : {leftUnitLabel, topUnitLabel, rightUnitLabel, bottomUnitLabel})
        label->setText(unitSign(units));
}

bool PageControls::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return false;
    if (event->type() == QEvent::KeyPress) {
        // A character that cannot be part of a number starts the box afresh; the key still
        // goes in (so Backspace empties the box). Keys without a character pass untouched.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool character = !text.isEmpty() && key->key() != Qt::Key_Delete &&
                               (text == QStringLiteral("\b") || text.front().isPrint());
        const bool digit = text.size() == 1 && text.front() >= u'0' && text.front() <= u'9';
        if (character && !digit && text != separator_)
            box->clear();
    } else if (event->type() == QEvent::FocusOut) {
        if (box->text().isEmpty())
            box->setText(QStringLiteral("0"));
        if (marginLeft)
            marginLeft();
    }
    return false;
}

void PageControls::dropNonNumber(QLineEdit* box) {
    if (!box->text().isEmpty() && !toolkit::isNumeric(box->text(), separator_))
        box->clear();
}

void PageControls::followCopiesBox() {
    const double wanted = toolkit::roundHalfEven(toolkit::leadingNumber(copiesEdit->text()));
    // A count the bar cannot show leaves it where it is.
    if (wanted >= 1 && wanted <= kMostCopies)
        copiesBar->setValue(-static_cast<int>(wanted));
    if (!toolkit::isNumeric(copiesEdit->text(), separator_))
        copiesEdit->setText(QStringLiteral("1"));
}

QString PageControls::normalized(const QString& text) const {
    return toolkit::numberText(toolkit::numberFromText(text, separator_), separator_);
}

Margins PageControls::normalizedMargins() const {
    return {normalized(leftMarginEdit->text()), normalized(topMarginEdit->text()),
            normalized(rightMarginEdit->text()), normalized(bottomMarginEdit->text())};
}

Margins PageControls::typedMargins() const {
    return {leftMarginEdit->text(), topMarginEdit->text(), rightMarginEdit->text(),
            bottomMarginEdit->text()};
}

void PageControls::showMargins(const Margins& margins) {
    const std::pair<QLineEdit*, const QString&> shown[] = {{leftMarginEdit, margins.left},
                                                           {topMarginEdit, margins.top},
                                                           {rightMarginEdit, margins.right},
                                                           {bottomMarginEdit, margins.bottom}};
    for (const auto& [box, text] : shown) {
        box->setText(text);
        // A converted margin is longer than the box: its first digits are the ones that tell.
        box->setCursorPosition(0);
    }
}

int copiesFromText(const QString& text) {
    const double wanted = toolkit::roundHalfEven(toolkit::leadingNumber(text));
    if (!(wanted >= 1))
        return 1;
    return wanted > kMostCopies ? kMostCopies : static_cast<int>(wanted);
}

}  // namespace qv::output
