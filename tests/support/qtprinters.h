#pragma once

// Lets test assertions stream and print Qt values readably. Included into every test file.

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <ostream>

inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << s;
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '[';
    for (qsizetype i = 0; i < l.size(); ++i)
        *os << (i ? ", " : "") << l[i];
    *os << ']';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << "bytes\"" << b.toPercentEncoding(" /._-").toStdString() << '"';
}
inline void PrintTo(const QImage& i, std::ostream* os) {
    *os << "QImage(" << i.width() << "x" << i.height() << ", format " << int(i.format()) << ")";
}
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << "QRect(" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << ")";
}
inline void PrintTo(const QPoint& p, std::ostream* os) {
    *os << "(" << p.x() << "," << p.y() << ")";
}
inline void PrintTo(const QSize& s, std::ostream* os) {
    *os << s.width() << "x" << s.height();
}
