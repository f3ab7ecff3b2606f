#pragma once

#include "platform/memoryregistry.h"

namespace qv::platform {

// The registry kept in a text file a person can read and diff. Every change rewrites the
// file atomically; a file that cannot be parsed is moved aside, never overwritten.
class FileRegistry : public MemoryRegistry {
public:
    explicit FileRegistry(QString filePath);

    // $XDG_CONFIG_HOME/quorvalline/registry, ~/.config when XDG_CONFIG_HOME is unset.
    static QString defaultPath();

    const QString& filePath() const { return filePath_; }

    // The file's text for the tree as it is now.
    static QByteArray serialize(const MemoryRegistry& registry);
    // Fills registry from text; false (and registry left empty) when the text is damaged.
    static bool parse(const QByteArray& text, MemoryRegistry& registry, QString* error);

protected:
    void changed() override;

private:
    void load();
    void save();

    QString filePath_;
    bool loading_ = false;
    bool readOnly_ = false;
};

}  // namespace qv::platform
