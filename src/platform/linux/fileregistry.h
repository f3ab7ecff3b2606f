#pragma once

#include "platform/linux/autostart.h"
#include "platform/memoryregistry.h"

namespace qv::platform {

// The registry kept in a text file a person can read and diff. A change (or a batch of them)
// reads the file again under a lock, makes itself on what it finds there and writes the
// result atomically, so that copies of the program running side by side keep each other's
// values. A file that cannot be parsed is moved aside, never overwritten; one that cannot be
// read at all (no permission, a folder in its place) is left alone and not written over. The
// program's value under the Run key is also the desktop's autostart entry: it reads as present
// only while that entry exists.
class FileRegistry : public MemoryRegistry {
public:
    explicit FileRegistry(QString filePath, Autostart autostart = Autostart());

    void setValue(Root root, const QString& path, const QString& name,
                  const QByteArray& data) override;
    std::optional<QByteArray> value(Root root, const QString& path,
                                    const QString& name) const override;
    bool deleteValue(Root root, const QString& path, const QString& name) override;

    // $XDG_CONFIG_HOME/quorvalline/registry, ~/.config when XDG_CONFIG_HOME is unset.
    static QString defaultPath();

    const QString& filePath() const { return filePath_; }

    // The file's text for the tree as it is now.
    static QByteArray serialize(const MemoryRegistry& registry);
    // Fills registry from text; false (and registry left empty) when the text is damaged.
    static bool parse(const QByteArray& text, MemoryRegistry& registry, QString* error);

protected:
    void committed(const std::vector<Change>& changes) override;

private:
    enum class FileState { Missing, Read, Damaged, Unreadable };

    void load();
    // The file's tree; error tells what is wrong with a damaged one.
    FileState read(MemoryRegistry& tree, QString* error) const;
    // Keeps a damaged file for the user to inspect; false when it could not be moved.
    bool moveAside(const QString& error) const;
    // Stops storing, so that the file stays as it is.
    void keepReadOnly(const QString& reason);
    // False (and the failure reported) when the file was left as it was.
    bool write() const;
    bool isAutostartValue(Root root, const QString& path, const QString& name) const;

    QString filePath_;
    Autostart autostart_;
    bool readOnly_ = false;
    // Why settings are not stored while readOnly_ is set.
    QString readOnlyReason_;
};

}  // namespace qv::platform
