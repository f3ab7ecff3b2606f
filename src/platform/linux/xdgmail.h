#pragma once

#include "platform/linux/launcher.h"
#include "platform/mail.h"

namespace qv::platform {

// Hands the file to the user's mail client through xdg-email.
class XdgMail : public Mail {
public:
    explicit XdgMail(int settleMs = 2000) : launcher_(settleMs) {}
    QString sendDocument(const QString& filePath) override;

    // Why xdg-email failed, for one of its exit codes; empty for success.
    static QString failureText(int exitCode);

private:
    Launcher launcher_;
};

}  // namespace qv::platform
