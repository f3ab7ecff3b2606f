#pragma once

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

    // The two hives, for the file store's reader and writer.
    Key& hive(Root root);
    const Key& hive(Root root) const;
    void clear();

    // Splits a path into key names; empty parts (doubled or trailing separators) are dropped.
    static QStringList splitPath(const QString& path);

protected:
    // Called after every change, so a store can persist it.
    virtual void changed() {}

private:
    Key* find(Root root, const QString& path) const;
    Key& findOrCreate(Root root, const QString& path);

    Key currentUser_;
    Key localMachine_;
};

}  // namespace qv::platform
