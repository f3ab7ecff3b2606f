#pragma once

#include <QString>

namespace qv::platform {

// Hands one file to the user's mail client as an attachment of a new message.
class Mail {
public:
    virtual ~Mail() = default;
    // Returns an empty text on success, otherwise why it failed.
    virtual QString sendDocument(const QString& filePath) = 0;
};

}  // namespace qv::platform
