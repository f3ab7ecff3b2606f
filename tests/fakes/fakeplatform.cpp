#include "fakes/fakeplatform.h"

namespace qv::fakes {

namespace {

template <class T, class Base>
T* install(std::unique_ptr<Base>& slot) {
    auto owned = std::make_unique<T>();
    T* raw = owned.get();
    slot = std::move(owned);
    return raw;
}

}  // namespace

FakePlatform::FakePlatform()
    : registry_(install<platform::MemoryRegistry>(services_.registry)),
      clock_(install<FakeClock>(services_.clock)),
      dialogs_(install<FakeDialogs>(services_.dialogs)),
      scope_(services_) {}

FakePlatform::~FakePlatform() = default;

}  // namespace qv::fakes
