#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

namespace qv::objects {

// The border width box of the shape and line options: whatever is typed ends as a width from
// 1 to 99 or as a number the box keeps without effect (a negative one). Its rules run on every
// change of the text, also a change one of them makes, which runs all of them for the new text
// before the rest of the earlier run goes on.
class WidthBox : public QObject {
public:
    // applyWidth gets every accepted width; enableStyles whether the border styles can show
    // (dashes and dots exist only at width 1).
    WidthBox(QLineEdit& edit, std::function<void(int)> applyWidth,
             std::function<void(bool)> enableStyles);

    // What OK stores: the number the text starts with, as typed, not rounded.
    double typedValue() const;

    // The rounded width a positive value gives; never below 1, the narrowest border.
    static int widthFor(double value);

private:
    void textChanged();
    void setText(const QString& text);

    QLineEdit& edit_;
    std::function<void(int)> applyWidth_;
    std::function<void(bool)> enableStyles_;
};

}  // namespace qv::objects
