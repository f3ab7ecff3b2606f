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
    : registry_(install<FakeRegistry>(services_.registry)),
      clock_(install<FakeClock>(services_.clock)),
      dialogs_(install<FakeDialogs>(services_.dialogs)),
      desktop_(install<FakeDesktop>(services_.desktop)),
      hotkeys_(install<FakeHotkeys>(services_.hotkeys)),
      tray_(install<FakeTray>(services_.tray)),
      clipboard_(install<FakeClipboard>(services_.clipboard)),
      shell_(install<FakeShell>(services_.shell)),
      process_(install<FakeProcess>(services_.process)),
      sound_(install<FakeSound>(services_.sound)),
      locale_(install<FakeLocale>(services_.locale)),
      printer_(install<FakePrinter>(services_.printer)),
      scope_(services_) {
    services_.mail = std::make_unique<FakeMail>();
}

FakePlatform::~FakePlatform() = default;

}  // namespace qv::fakes
