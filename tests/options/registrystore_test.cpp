#include <gtest/gtest.h>

#include "fakes/fakeplatform.h"
#include "options/registrystore.h"

namespace qv::options {
namespace {

using Root = platform::Registry::Root;
const QString kSave = kProgramKey + QStringLiteral("\\Save");
const QChar kNul(0);

TEST(RegistryStore, ReadsWithAndWithoutTheNulAndShowsTheTextBeforeIt) {
    fakes::FakePlatform fakes;
    const struct {
        const char* name;
        QByteArray stored;
        QString withNul;
        QString withoutNul;
        QString shown;
    } cases[] = {
        {"empty text", QByteArray(1, '\0'), QString(kNul), "", ""},
        {"flag", QByteArray("1\0", 2), QStringLiteral("1") + kNul, "1", "1"},
        {"without NUL", ".png", ".png", ".pn", ".png"},
        {"non-ASCII", QByteArray("Ärger\0", 7), u"Ärger"_qs + kNul, u"Ärger"_qs, u"Ärger"_qs},
        {"nothing stored", QByteArray(), "", "", ""},
    };
    for (const auto& c : cases) {
        fakes.registry().setValue(Root::CurrentUser, kSave, "V", c.stored);
        EXPECT_EQ(readTextWithNul(kSave, "V"), c.withNul) << c.name;
        EXPECT_EQ(readTextWithoutNul(kSave, "V"), c.withoutNul) << c.name;
        EXPECT_EQ(textBeforeNul(c.withNul), c.shown) << c.name;
    }
}

TEST(RegistryStore, MissingValuesReadAsEmptyAndReadingCreatesTheKey) {
    fakes::FakePlatform fakes;
    const QString apps = kProgramKey + QStringLiteral("\\Apps\\");
    EXPECT_FALSE(keyExists(apps));
    EXPECT_EQ(readTextWithNul(apps, "AppPath"), QString());
    EXPECT_EQ(readTextWithoutNul(apps, "AppPath"), QString());
    EXPECT_TRUE(keyExists(kProgramKey + QStringLiteral("\\Apps")));
    EXPECT_TRUE(keyExists(kProgramKey));
    // The plain open is only a probe: asking twice finds nothing twice.
    for (int i = 0; i < 2; ++i)
        EXPECT_FALSE(keyExists(kProgramKey + QStringLiteral("\\Frame")));
}

}  // namespace
}  // namespace qv::options
