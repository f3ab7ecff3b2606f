#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <array>

namespace qv::testsupport {

// The settings folder, or the folder above it, made a link, with the link's owner and the
// owner of the folder it leads to; used says whether such a settings folder is the user's own.
struct LinkedSettingsFolder {
    const char* linked;  // the part of the settings path config/quorvalline that is the link
    uid_t linkOwner, folderOwner;
    bool used;
};

// Run as root, the other user is nobody.
inline std::array<LinkedSettingsFolder, 6> linkedSettingsFolders() {
    const uid_t self = ::geteuid(), other = 65534;
    return {{
        {"config/quorvalline", self, self, true},
        {"config/quorvalline", other, self, false},
        {"config/quorvalline", self, other, false},
        {"config", self, self, true},
        {"config", other, self, false},
        {"config", self, other, false},
    }};
}

// Makes link (and the folders above it) a link to target.
inline void makeLink(const QString& link, const QString& target) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(link).path()));
    ASSERT_TRUE(QFile::link(target, link));
}

// Gives link to linkOwner and target to targetOwner; false where files cannot be given to
// another user (not run as root).
inline bool giveLinkAndTarget(const QString& link, uid_t linkOwner, const QString& target,
                              uid_t targetOwner) {
    return ::lchown(QFile::encodeName(link).constData(), linkOwner, gid_t(-1)) == 0 &&
           ::chown(QFile::encodeName(target).constData(), targetOwner, gid_t(-1)) == 0;
}

}  // namespace qv::testsupport
