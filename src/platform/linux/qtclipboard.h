#pragma once

#include "platform/clipboard.h"

namespace qv::platform {

// The desktop's clipboard through Qt. Without an application object it is empty and
// ignores changes.
class QtClipboard : public Clipboard {
public:
    void clear() override;
    void setImage(const QImage& image) override;
    // Another program holding the clipboard gets this long to say what it offers.
    static constexpr int kAnswerTimeMs = 300;

    ClipboardFormats formats() const override;
    QString text() const override;
    ClipboardPicture picture() const override;
};

}  // namespace qv::platform
