#pragma once

#include <QString>
#include <QtGlobal>

namespace qv::toolkit {

// Rounds to the nearest whole number, a half to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);
// roundHalfEven into the 32-bit range, clamped at its ends instead of overflowing.
int toInt(double value);

// The number at the start of text: blanks anywhere are skipped, '.' is the only decimal
// point, "&H" and "&O" start hexadecimal and octal numbers, and reading stops at the first
// character that cannot continue the number. 0 when there is none.
double leadingNumber(const QString& text);

// True when the whole text (blanks around it allowed) is one number written with the given
// decimal separator: sign, digits, one separator, an exponent, or "&H"/"&O" digits.
bool isNumeric(const QString& text, const QString& decimalSeparator);

// The shortest text of value to 15 significant digits, with the given decimal separator
// ("0.984251968503937", "12", "1E+16").
QString numberText(double value, const QString& decimalSeparator);

// value parsed the way isNumeric accepts it; 0 when it is not numeric.
double numberFromText(const QString& text, const QString& decimalSeparator);

}  // namespace qv::toolkit
