#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace qv::platform {

// The kinds of content the clipboard offers.
struct ClipboardFormats {
    bool text = false;
    bool image = false;
    bool richText = false;
    bool operator==(const ClipboardFormats&) const = default;
};

// A picture read from the clipboard, or why none could be read.
struct ClipboardPicture {
    enum class Problem {
        None,
        Unreadable,  // no picture in a format the program reads, or damaged data
        TooBig,      // it would take more memory than the program may use for it
    };
    QImage image;
    Problem problem = Problem::None;
    QSize size;  // as the picture's data declares it, also when it could not be read
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void setImage(const QImage& image) = 0;
    // Asked once for all kinds: another program that holds the clipboard and does not answer
    // within a moment offers nothing, rather than holding up the program.
    virtual ClipboardFormats formats() const = 0;
    virtual QString text() const = 0;
    // The picture whole, however big, as long as the memory it needs is to be had.
    virtual ClipboardPicture picture() const = 0;
    QImage image() const { return picture().image; }
};

}  // namespace qv::platform
