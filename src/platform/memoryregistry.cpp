#include "platform/memoryregistry.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace qv::platform {

namespace {

// Keys with up to this many values or sub-keys are searched in order, without an index.
constexpr qsizetype kUnindexed = 32;

QString folded(const QString& name) {
    return name.toCaseFolded();
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

MemoryRegistry::Key* child(const MemoryRegistry::Key& key, const QString& name) {
    if (!key.childIndex.isEmpty())
        return key.childIndex.value(folded(name), nullptr);
    for (const auto& c : key.children) {
        if (sameName(c->name, name))
            return c.get();
    }
    return nullptr;
}

// The value's place in key.values, or -1.
qsizetype valueAt(const MemoryRegistry::Key& key, const QString& name) {
    if (!key.valueIndex.isEmpty())
        return key.valueIndex.value(folded(name), -1);
    for (qsizetype i = 0; i < qsizetype(key.values.size()); ++i) {
        if (sameName(key.values[i].name, name))
            return i;
    }
    return -1;
}

MemoryRegistry::Value* findValue(MemoryRegistry::Key& key, const QString& name) {
    const qsizetype at = valueAt(key, name);
    return at < 0 ? nullptr : &key.values[at];
}

void eraseValue(MemoryRegistry::Key& key, const QString& name) {
    const qsizetype at = valueAt(key, name);
    key.values.erase(key.values.begin() + at);
    if (key.valueIndex.isEmpty())
        return;
    key.valueIndex.remove(folded(name));
    for (auto& index : key.valueIndex) {
        if (index > at)
            --index;
    }
}

void eraseChild(MemoryRegistry::Key& parent, MemoryRegistry::Key* doomed) {
    parent.childIndex.remove(folded(doomed->name));
    auto& kids = parent.children;
    kids.erase(
        std::find_if(kids.begin(), kids.end(), [&](const auto& c) { return c.get() == doomed; }));
}

}  // namespace

void Registry::Listener::listen(std::function<void(const QString&)> h) {
    handler = std::move(h);
    if (handler && unheard)
        handler(*std::exchange(unheard, std::nullopt));
}

void Registry::Listener::tell(const QString& message) {
    std::fprintf(stderr, "quorvalline: %s\n", qPrintable(message));
    if (handler)
        handler(message);
    else if (!unheard)
        unheard = message;
}

void Registry::onStoreFailed(StoreFailed handler) {
    storeFailed_.listen(std::move(handler));
}

void Registry::onReadProblem(ReadProblem handler) {
    readProblem_.listen(std::move(handler));
}

void Registry::reportStoreFailure(const QString& message) const {
    storeFailed_.tell(message);
}

void Registry::reportReadProblem(const QString& message) const {
    readProblem_.tell(message);
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

MemoryRegistry::Key& MemoryRegistry::subKey(Key& key, const QString& name) {
    if (Key* found = child(key, name))
        return *found;
    auto made = std::make_unique<Key>();
    made->name = name;
    Key& result = *made;
    key.children.push_back(std::move(made));
    if (!key.childIndex.isEmpty()) {
        key.childIndex.insert(folded(name), &result);
    } else if (qsizetype(key.children.size()) > kUnindexed) {
        for (const auto& c : key.children)
            key.childIndex.insert(folded(c->name), c.get());
    }
    return result;
}

void MemoryRegistry::putValue(Key& key, const QString& name, const QByteArray& data) {
    if (Value* stored = findValue(key, name)) {
        stored->data = data;
        return;
    }
    key.values.push_back(Value{name, data});
    if (!key.valueIndex.isEmpty()) {
        key.valueIndex.insert(folded(name), qsizetype(key.values.size()) - 1);
    } else if (qsizetype(key.values.size()) > kUnindexed) {
        for (qsizetype i = 0; i < qsizetype(key.values.size()); ++i)
            key.valueIndex.insert(folded(key.values[i].name), i);
    }
}

MemoryRegistry::Key& MemoryRegistry::findOrCreate(Root root, const QString& path) {
    Key* key = &hive(root);
    for (const QString& part : splitPath(path))
        key = &subKey(*key, part);
    return *key;
}

bool MemoryRegistry::apply(const Change& change) {
    switch (change.kind) {
        case Change::Kind::CreateKey:
            if (find(change.root, change.path))
                return false;
            findOrCreate(change.root, change.path);
            return true;
        case Change::Kind::SetValue:
            putValue(findOrCreate(change.root, change.path), change.name, change.data);
            return true;
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
            Key* doomed = child(*parent, last);
            if (!doomed)
                return false;
            eraseChild(*parent, doomed);
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
