#pragma once

#include "platform/memoryregistry.h"

namespace qv::fakes {

// The registry in memory, counting the writes a lasting store would make of its changes.
class FakeRegistry : public platform::MemoryRegistry {
public:
    int writes = 0;

protected:
    void committed(const std::vector<Change>&) override { ++writes; }
};

}  // namespace qv::fakes
