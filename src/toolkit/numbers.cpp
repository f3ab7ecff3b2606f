#include "toolkit/numbers.h"

#include <cmath>
#include <limits>
#include <optional>

namespace qv::toolkit {

double roundHalfEven(double value) {
    if (!std::isfinite(value))
        return value;
    return std::nearbyint(value);  // the default rounding mode is to nearest, ties to even
}

int toInt(double value) {
    if (std::isnan(value))
        return 0;
    const double r = roundHalfEven(value);
    if (r >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (r <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Digits of a "&H"/"&O" number; false when there are none.
bool radixValue(const QString& digits, int radix, double& out) {
    if (digits.isEmpty())
        return false;
    bool ok = false;
    const qint64 v = digits.toLongLong(&ok, radix);
    if (!ok)
        return false;
    // Like the 16-bit and 32-bit integers these texts denote, the top bit makes them negative.
    if (v <= 0xFFFF) {
        out = static_cast<double>(static_cast<qint16>(static_cast<quint16>(v)));
    } else if (v <= 0xFFFFFFFFLL) {
        out = static_cast<double>(static_cast<qint32>(static_cast<quint32>(v)));
    } else {
        out = static_cast<double>(v);
    }
    return true;
}

bool isRadixDigit(QChar c, int radix) {
    if (radix == 8)
        return c >= u'0' && c <= u'7';
    return c.isDigit() || (c.toUpper() >= u'A' && c.toUpper() <= u'F');
}

}  // namespace

double leadingNumber(const QString& text) {
    QString s;
    for (QChar c : text) {
        if (!isBlank(c))
            s += c;
    }
    if (s.startsWith(u'&') && s.size() > 1) {
        const QChar kind = s[1].toUpper();
        const int radix = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
        if (radix == 0)
            return 0;
        QString digits;
        for (qsizetype i = 2; i < s.size() && isRadixDigit(s[i], radix); ++i)
            digits += s[i];
        double out = 0;
        return radixValue(digits, radix, out) ? out : 0;
    }
    QString number;
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        number += s[i++];
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        if (s[i].isDigit() && s[i].unicode() < 128) {
            number += s[i];
            digits = true;
        } else if (s[i] == u'.' && !point) {
            number += s[i];
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        QString exponent = QStringLiteral("e");
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            exponent += s[j++];
        bool expDigits = false;
        for (; j < s.size() && s[j].isDigit() && s[j].unicode() < 128; ++j) {
            exponent += s[j];
            expDigits = true;
        }
        if (expDigits)
            number += exponent;
    }
    return number.toDouble();
}

namespace {

// Parses the whole of text as isNumeric describes; nothing on failure.
std::optional<double> parseNumber(const QString& text, const QString& sep) {
    const QString s = text.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    if (s.startsWith(u'&') && s.size() > 2) {
        const QChar kind = s[1].toUpper();
        const int radix = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
        if (radix == 0)
            return std::nullopt;
        const QString digits = s.mid(2);
        for (QChar c : digits) {
            if (!isRadixDigit(c, radix))
                return std::nullopt;
        }
        double out = 0;
        if (!radixValue(digits, radix, out))
            return std::nullopt;
        return out;
    }
    QString normal;
    qsizetype i = 0;
    if (s[i] == u'+' || s[i] == u'-')
        normal += s[i++];
    bool digits = false, point = false;
    while (i < s.size()) {
        if (s[i].isDigit() && s[i].unicode() < 128) {
            normal += s[i++];
            digits = true;
        } else if (!point && !sep.isEmpty() && s.mid(i, sep.size()) == sep) {
            normal += u'.';
            i += sep.size();
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return std::nullopt;
    if (i < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        normal += u'e';
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            normal += s[i++];
        bool expDigits = false;
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
            normal += s[i++];
            expDigits = true;
        }
        if (!expDigits)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    bool ok = false;
    const double v = normal.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

}  // namespace

bool isNumeric(const QString& text, const QString& decimalSeparator) {
    return parseNumber(text, decimalSeparator).has_value();
}

double numberFromText(const QString& text, const QString& decimalSeparator) {
    return parseNumber(text, decimalSeparator).value_or(0.0);
}

QString numberText(double value, const QString& decimalSeparator) {
    if (value == 0)
        return QStringLiteral("0");
    const double magnitude = std::fabs(value);
    QString text;
    if (magnitude >= 1e15 || magnitude < 1e-5) {
        // 1.5E+16, 2E-06: mantissa without trailing zeros, sign and at least two exponent digits
        QString e = QString::number(value, 'E', 14);
        const qsizetype at = e.indexOf(u'E');
        QString mantissa = e.left(at);
        QString exponent = e.mid(at + 1);
        if (mantissa.contains(u'.')) {
            while (mantissa.endsWith(u'0'))
                mantissa.chop(1);
            if (mantissa.endsWith(u'.'))
                mantissa.chop(1);
        }
        const QChar sign = exponent[0];
        exponent = exponent.mid(1);
        while (exponent.size() > 2 && exponent.startsWith(u'0'))
            exponent.remove(0, 1);
        text = mantissa + u'E' + sign + exponent;
    } else {
        const int intDigits = magnitude >= 1 ? int(std::floor(std::log10(magnitude))) + 1 : 0;
        text = QString::number(value, 'f', std::max(0, 15 - intDigits));
        if (magnitude < 1) {
            // digits after the leading zeros count towards the fifteen
            const int zeros = int(-std::floor(std::log10(magnitude))) - 1;
            text = QString::number(value, 'f', 15 + zeros);
        }
        if (text.contains(u'.')) {
            while (text.endsWith(u'0'))
                text.chop(1);
            if (text.endsWith(u'.'))
                text.chop(1);
        }
    }
    text.replace(u'.', decimalSeparator);
    return text;
}

}  // namespace qv::toolkit
