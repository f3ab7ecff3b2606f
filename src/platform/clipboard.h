#pragma once

#include <QImage>
#include <QString>

namespace qv::platform {

// The kinds of content the clipboard offers.
struct ClipboardFormats {
    bool text = false;
    bool image = false;
    bool richText = false;
    bool operator==(const ClipboardFormats&) const = default;
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
    virtual QImage image() const = 0;
};

}  // namespace qv::platform
