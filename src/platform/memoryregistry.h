#pragma once

#include <QHash>
#include <memory>
#include <vector>

#include "platform/registry.h"

namespace qv::platform {

// The registry tree held in memory. The file store persists it; tests use it as it is.
class MemoryRegistry : public Registry {
public:
    struct Value {
        QString name;
        QByteArray data;
    };
    struct Key {
        QString name;
        std::vector<Value> values;
        std::vector<std::unique_ptr<Key>> children;
        // By case-folded name, so that a big file loads without searching each key's whole
        // list for every line. Made only for keys with many values or sub-keys (an empty hash
        // costs no memory, a filled one a kilobyte or more): a key with few is searched in
        // order. Kept by MemoryRegistry alongside values and children.
        QHash<QString, qsizetype> valueIndex;
        QHash<QString, Key*> childIndex;
    };
    // One change as the caller made it, so that a store can make it again on a newer copy
    // of the tree.
    struct Change {
        enum class Kind { CreateKey, SetValue, DeleteValue, DeleteKey };
        Kind kind;
        Root root;
        QString path;
        QString name;
        QByteArray data;
    };

    MemoryRegistry();
    ~MemoryRegistry() override;

    void createKey(Root root, const QString& path) override;
    bool keyExists(Root root, const QString& path) const override;
    void setValue(Root root, const QString& path, const QString& name,
                  const QByteArray& data) override;
    std::optional<QByteArray> value(Root root, const QString& path,
                                    const QString& name) const override;
    bool deleteValue(Root root, const QString& path, const QString& name) override;
    QStringList subKeys(Root root, const QString& path) const override;
    bool deleteKey(Root root, const QString& path) override;
    void beginBatch() override;
    void endBatch() override;

    // The two hives, for the file store's reader and writer.
    Key& hive(Root root);
    const Key& hive(Root root) const;
    void clear();
    // Makes the changes without passing them on to committed().
    void replay(const std::vector<Change>& changes);
    // Takes over the other tree whole; the other one is left empty.
    void takeTree(MemoryRegistry& other);

    // The named sub-key of key (names compare without case), made when missing; for the file
    // store's reader, which walks the tree itself.
    static Key& subKey(Key& key, const QString& name);
    // Stores the value in key, in place of one of the same name.
    static void putValue(Key& key, const QString& name, const QByteArray& data);

    // Splits a path into key names; empty parts (doubled or trailing separators) are dropped.
    static QStringList splitPath(const QString& path);

protected:
    // Receives the changes of each outermost batch, or a change made outside any batch, so
    // that a store can persist them. Not called for a batch that changed nothing.
    virtual void committed(const std::vector<Change>& changes) { Q_UNUSED(changes); }

private:
    Key* find(Root root, const QString& path) const;
    Key& findOrCreate(Root root, const QString& path);
    // False when the change found nothing to change.
    bool apply(const Change& change);
    bool make(Change change);

    Key currentUser_;
    Key localMachine_;
    int openBatches_ = 0;
    std::vector<Change> pending_;
};

}  // namespace qv::platform
