#pragma once

#include <sys/stat.h>

#include <memory>

#include "platform/clock.h"
#include "platform/linux/autostart.h"
#include "platform/linux/descriptor.h"
#include "platform/linux/linkowners.h"
#include "platform/linux/registrytext.h"
#include "platform/memoryregistry.h"

namespace qv::platform {

// The registry kept in a text file a person can read and diff. A change (or a batch of them)
// reads the file again under a lock, unless no one wrote it since, makes itself on what it
// finds there and writes the result whole, so that copies of the program running side by side
// keep each other's values; a change that could not be stored goes in with the next one that
// can, or at the end of the run. Lines that cannot be read are left out and the file as it was
// kept beside it; a file that is not a settings file at all is moved aside, never overwritten;
// one that cannot be read at all (no permission, a folder in its place) is left alone and not
// written over, and so is what is no file to read (a FIFO, a device, a file of many megabytes),
// another user's file, and a path through a link of another user's or to another user's file
// (see linkowners.h). What was read is what is replaced: the new file is made in the folder
// that was read and renamed over the name. The lock is waited for a few seconds only, through
// the clock: a program that holds it longer costs that read or write, never the start. The
// program's value under the Run key is also the desktop's autostart entry: it reads as present
// only while that entry exists.
class FileRegistry : public MemoryRegistry {
public:
    // Waits for the lock go through clock; without one, through a real clock of its own.
    explicit FileRegistry(QString filePath, Autostart autostart = Autostart(),
                          Clock* clock = nullptr);
    // Changes that could not be stored yet are tried once more, reported on stderr only.
    ~FileRegistry() override;
    FileRegistry(const FileRegistry&) = delete;
    FileRegistry& operator=(const FileRegistry&) = delete;

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
    // Fills registry from text; false (error saying why) when a line could not be read: the
    // lines that could are kept, unless the text is no settings file at all.
    static bool parse(const QByteArray& text, MemoryRegistry& registry, QString* error);

protected:
    void committed(const std::vector<Change>& changes) override;

private:
    enum class FileState { Missing, Read, Damaged, Unreadable, Refused };

    // The file as we last read or wrote it, held open so that no other file can take its
    // inode number meanwhile: while the path still leads to it, unchanged, no copy has written.
    class FileHold {
    public:
        FileHold() = default;
        // The file as it was opened, its status taken then.
        FileHold(Descriptor fd, const struct stat& status);
        // What stands at the place now, without following a link; nothing when it cannot be
        // opened.
        static FileHold at(const WalkedPath& place);

        bool isCurrent(const WalkedPath& place) const;

    private:
        Descriptor fd_;
        struct stat status_ {};
    };

    struct Reading {
        FileHold hold;
        QByteArray text;
        RegistryReading reading;
        // What is wrong with a damaged or unreadable file.
        QString error;
    };

    void load();
    // The settings folder as it stands now, made with MakeFolders::AllParts.
    WalkedPath settingsFolder(MakeFolders make) const;
    // The file's tree at place, and what else was found.
    FileState read(const WalkedPath& place, MemoryRegistry& tree, Reading& found) const;
    // Puts the file's text, or the file at place itself, under the first name beside it where
    // nothing at all stands (a link to nowhere included: whatever stands there is left as it
    // is, never written through); the name it went to, or empty (and why in problem).
    QString keepAside(const WalkedPath& place, const QByteArray& text, bool move,
                      QString& problem) const;
    // Keeps a damaged file for the user to inspect and tells where; false when it could not be
    // moved.
    bool moveAside(const WalkedPath& place, const Reading& found) const;
    // Tells which lines were left out, and keeps a copy of the file with them; false (and
    // storing stopped) when no copy could be made.
    bool keepCopyOfSkippedLines(const WalkedPath& place, const Reading& found);
    // Stops storing, so that the file stays as it is.
    void keepReadOnly(const QString& reason);
    // What stands at the path is not read nor ever written over.
    void refuse(const QString& why);
    // Read while another program held the lock: a file that has to be kept aside before it is
    // replaced waits for the first store that gets the lock.
    void loadWithoutLock(MemoryRegistry& stored, Reading& found, const QString& held);
    // Brings the file up to what we hold, merged with what other copies stored meanwhile;
    // false (and the failure reported) when the file was left as it was.
    bool store();
    // Replaces what stands at place (never followed) by what we hold; false (and the failure
    // reported) when the file was left as it was.
    bool write(const WalkedPath& place);
    void reportAutostartFailure() const;
    bool isAutostartValue(Root root, const QString& path, const QString& name) const;

    QString filePath_;
    Autostart autostart_;
    std::unique_ptr<Clock> ownClock_;
    Clock& clock_;
    // The file as it was when it last held what we hold, changes since aside.
    FileHold written_;
    bool readOnly_ = false;
    // The last wait for the lock ran out.
    bool lockStuck_ = false;
    // Why settings are not stored while readOnly_ is set.
    QString readOnlyReason_;
    // The changes since the file last held what we hold: a store that was refused (the lock
    // held elsewhere, a full disk) leaves them for the next store to take along.
    std::vector<Change> unstored_;
};

}  // namespace qv::platform
