#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace qv::platform {

// The per-user settings tree: keys holding string values stored as raw bytes with an exact
// length (callers decide whether a terminating NUL is part of the data). Key paths use '\'
// as separator; names of keys and values compare without case, and a trailing separator
// names the same key.
class Registry {
public:
    enum class Root { CurrentUser, LocalMachine };

    virtual ~Registry() = default;

    // Creates the key and any missing key above it; an existing key is left as it is.
    virtual void createKey(Root root, const QString& path) = 0;
    // A plain open: true when the key exists. Creates nothing.
    virtual bool keyExists(Root root, const QString& path) const = 0;
    // Stores the bytes exactly; creates the key when it is missing.
    virtual void setValue(Root root, const QString& path, const QString& name,
                          const QByteArray& data) = 0;
    // The stored bytes, or nothing when the key or the value is missing.
    virtual std::optional<QByteArray> value(Root root, const QString& path,
                                            const QString& name) const = 0;
    // Returns false when there was no such value.
    virtual bool deleteValue(Root root, const QString& path, const QString& name) = 0;
    // Names of the direct sub-keys, in the order they were created.
    virtual QStringList subKeys(Root root, const QString& path) const = 0;
    // Removes the key with its values and sub-keys; false when it did not exist.
    virtual bool deleteKey(Root root, const QString& path) = 0;

    // The changes made between the two reach the lasting store in one write, when the
    // outermost batch ends; outside a batch every change is written on its own.
    virtual void beginBatch() {}
    virtual void endBatch() {}

    // Called with what went wrong each time a change could not reach the lasting store (a
    // full disk, a read-only folder), so that whoever owns the screen can tell the user.
    // A failure reported before there was a handler (the store is read before the program
    // can show anything) reaches the first handler set.
    using StoreFailed = std::function<void(const QString& message)>;
    void onStoreFailed(StoreFailed handler);
    // Called with what could not be read from the lasting store (lines left out of a file, a
    // damaged file kept aside), in the same way: the first one reported before there was a
    // handler reaches the first handler set.
    using ReadProblem = std::function<void(const QString& message)>;
    void onReadProblem(ReadProblem handler);

protected:
    // Writes one line to stderr and passes the message on: a lost setting is never silent.
    void reportStoreFailure(const QString& message) const;
    void reportReadProblem(const QString& message) const;

private:
    // A handler, and what was reported before there was one.
    struct Listener {
        std::function<void(const QString&)> handler;
        std::optional<QString> unheard;

        void listen(std::function<void(const QString&)> h);
        void tell(const QString& message);
    };
    mutable Listener storeFailed_;
    mutable Listener readProblem_;
};

// Keeps a batch open for as long as it lives.
class RegistryBatch {
public:
    explicit RegistryBatch(Registry& registry) : registry_(registry) { registry_.beginBatch(); }
    ~RegistryBatch() { registry_.endBatch(); }
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;

private:
    Registry& registry_;
};

// The current user's key whose values start programs at login, and the program's value there
// (its executable). A store may keep this value where the desktop looks for it.
inline const QString kRunKey = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
inline const QString kRunValue = QStringLiteral("Quorvalline");

}  // namespace qv::platform
