#pragma once

#include <QImage>
#include <QString>

namespace qv::platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void setImage(const QImage& image) = 0;
    virtual bool hasText() const = 0;
    virtual bool hasImage() const = 0;
    virtual bool hasRichText() const = 0;
    virtual QString text() const = 0;
    virtual QImage image() const = 0;
};

}  // namespace qv::platform
