#include "platform/memoryregistry.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace qv::platform {

namespace {

QString folded(const QString& name) {
    return name.toCaseFolded();
}

MemoryRegistry::Key* child(const MemoryRegistry::Key& key, const QString& name) {
    return key.childIndex.value(folded(name), nullptr);
}

MemoryRegistry::Value* findValue(MemoryRegistry::Key& key, const QString& name) {
    const auto it = key.valueIndex.constFind(folded(name));
    return it == key.valueIndex.cend() ? nullptr : &key.values[*it];
}

void eraseValue(MemoryRegistry::Key& key, const QString& name) {
    const qsizetype at = key.valueIndex.take(folded(name));
    key.values.erase(key.values.begin() + at);
    for (auto& index : key.valueIndex) {
        if (index > at)
            --index;
    }
}

}  // namespace

void Registry::onStoreFailed(StoreFailed handler) {
    storeFailed_ = std::move(handler);
    if (storeFailed_ && unheardFailure_)
        storeFailed_(*std::exchange(unheardFailure_, std::nullopt));
}

void Registry::reportStoreFailure(const QString& message) const {
    std::fprintf(stderr, "quorvalline: %s\n", qPrintable(message));
    if (storeFailed_)
        storeFailed_(message);
    else if (!unheardFailure_)
        unheardFailure_ = message;
}

MemoryRegistry::MemoryRegistry() = default;
MemoryRegistry::~MemoryRegistry() = default;

QStringList MemoryRegistry::splitPath(const QString& path) {
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

MemoryRegistry::Key& MemoryRegistry::hive(Root root) {
    return root == Root::CurrentUser ? currentUser_ : localMachine_;
}

const MemoryRegistry::Key& MemoryRegistry::hive(Root root) const {
    return root == Root::CurrentUser ? currentUser_ : localMachine_;
}

void MemoryRegistry::clear() {
    currentUser_ = Key{};
    localMachine_ = Key{};
}

MemoryRegistry::Key* MemoryRegistry::find(Root root, const QString& path) const {
    const Key* key = &hive(root);
    for (const QString& part : splitPath(path)) {
        key = child(*key, part);
        if (!key) {
            return nullptr;
        }
    }
    return const_cast<Key*>(key);
}

MemoryRegistry::Key& MemoryRegistry::findOrCreate(Root root, const QString& path) {
    Key* key = &hive(root);
    for (const QString& part : splitPath(path)) {
        Key* next = child(*key, part);
        if (!next) {
            auto made = std::make_unique<Key>();
            made->name = part;
            next = made.get();
            key->childIndex.insert(folded(part), next);
            key->children.push_back(std::move(made));
        }
        key = next;
    }
    return *key;
}

bool MemoryRegistry::apply(const Change& change) {
    switch (change.kind) {
        case Change::Kind::CreateKey:
            if (find(change.root, change.path))
                return false;
            findOrCreate(change.root, change.path);
            return true;
        case Change::Kind::SetValue: {
            Key& key = findOrCreate(change.root, change.path);
            if (Value* stored = findValue(key, change.name)) {
                stored->data = change.data;
            } else {
                key.valueIndex.insert(folded(change.name), qsizetype(key.values.size()));
                key.values.push_back(Value{change.name, change.data});
            }
            return true;
        }
        case Change::Kind::DeleteValue: {
            Key* key = find(change.root, change.path);
            if (!key)
                return false;
            if (!findValue(*key, change.name))
                return false;
            eraseValue(*key, change.name);
            return true;
        }
        case Change::Kind::DeleteKey: {
            QStringList parts = splitPath(change.path);
            if (parts.isEmpty())
                return false;  // a hive itself cannot be deleted
            const QString last = parts.takeLast();
            Key* parent = find(change.root, parts.join(QLatin1Char('\\')));
            if (!parent)
                return false;
            Key* doomed = parent->childIndex.take(folded(last));
            if (!doomed)
                return false;
            auto& kids = parent->children;
            kids.erase(std::find_if(kids.begin(), kids.end(),
                                    [&](const auto& c) { return c.get() == doomed; }));
            return true;
        }
    }
    return false;
}

bool MemoryRegistry::make(Change change) {
    if (!apply(change))
        return false;
    if (openBatches_ > 0)
        pending_.push_back(std::move(change));
    else
        committed({std::move(change)});
    return true;
}

void MemoryRegistry::replay(const std::vector<Change>& changes) {
    for (const Change& change : changes)
        apply(change);
}

void MemoryRegistry::takeTree(MemoryRegistry& other) {
    currentUser_ = std::move(other.currentUser_);
    localMachine_ = std::move(other.localMachine_);
    other.clear();
}

void MemoryRegistry::beginBatch() {
    ++openBatches_;
}

void MemoryRegistry::endBatch() {
    Q_ASSERT_X(openBatches_ > 0, "endBatch", "no batch is open");
    if (--openBatches_ > 0 || pending_.empty())
        return;
    const std::vector<Change> changes = std::exchange(pending_, {});
    committed(changes);
}

void MemoryRegistry::createKey(Root root, const QString& path) {
    make({Change::Kind::CreateKey, root, path, {}, {}});
}

bool MemoryRegistry::keyExists(Root root, const QString& path) const {
    return find(root, path) != nullptr;
}

void MemoryRegistry::setValue(Root root, const QString& path, const QString& name,
                              const QByteArray& data) {
    make({Change::Kind::SetValue, root, path, name, data});
}

std::optional<QByteArray> MemoryRegistry::value(Root root, const QString& path,
                                                const QString& name) const {
    Key* key = find(root, path);
    if (!key) {
        return std::nullopt;
    }
    const Value* stored = findValue(*key, name);
    if (!stored) {
        return std::nullopt;
    }
    return stored->data;
}

bool MemoryRegistry::deleteValue(Root root, const QString& path, const QString& name) {
    return make({Change::Kind::DeleteValue, root, path, name, {}});
}

QStringList MemoryRegistry::subKeys(Root root, const QString& path) const {
    QStringList names;
    if (Key* key = find(root, path)) {
        for (const auto& c : key->children) {
            names << c->name;
        }
    }
    return names;
}

bool MemoryRegistry::deleteKey(Root root, const QString& path) {
    return make({Change::Kind::DeleteKey, root, path, {}, {}});
}

}  // namespace qv::platform
