#pragma once

#include "platform/clipboard.h"

namespace qv::platform {

// The desktop's clipboard through Qt. Without an application object it is empty and
// ignores changes.
class QtClipboard : public Clipboard {
public:
    void clear() override;
    void setImage(const QImage& image) override;
    bool hasText() const override;
    bool hasImage() const override;
    bool hasRichText() const override;
    QString text() const override;
    QImage image() const override;
};

}  // namespace qv::platform
