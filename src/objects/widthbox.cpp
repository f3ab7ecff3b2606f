#include "objects/widthbox.h"

#include <QLineEdit>
#include <algorithm>
#include <limits>

#include "platform/services.h"
#include "toolkit/numbers.h"

namespace qv::objects {

WidthBox::WidthBox(QLineEdit& edit, std::function<void(int)> applyWidth,
                   std::function<void(bool)> enableStyles)
    : QObject(&edit),
      edit_(edit),
      applyWidth_(std::move(applyWidth)),
      enableStyles_(std::move(enableStyles)) {
    // A box of the toolkit has no length limit.
    edit_.setMaxLength(std::numeric_limits<int>::max());
    connect(&edit_, &QLineEdit::textChanged, this, [this] { textChanged(); });
}

double WidthBox::typedValue() const {
    return toolkit::leadingNumber(edit_.text());
}

int WidthBox::widthFor(double value) {
    return std::clamp(toolkit::toInt(toolkit::roundHalfEven(value)), 1, 99);
}

void WidthBox::setText(const QString& text) {
    // Writing the text the box holds is no change.
    if (edit_.text() != text)
        edit_.setText(text);
}

void WidthBox::textChanged() {
    const QString separator = platform::locale().decimalSeparator();
    const auto numeric = [&] { return toolkit::isNumeric(edit_.text(), separator); };
    const auto value = [&] { return toolkit::leadingNumber(edit_.text()); };
    if (!numeric())
        setText(QString());
    if (value() == 0)
        setText(QStringLiteral("1"));
    if (edit_.text().isEmpty())
        setText(QStringLiteral("1"));
    if (value() > 99)
        setText(QStringLiteral("99"));
    if (numeric() && value() > 0) {
        applyWidth_(widthFor(value()));
        enableStyles_(!(value() > 1));
    }
}

}  // namespace qv::objects
