#include <gtest/gtest.h>

#include "fakes/fakeplatform.h"
#include "options/registrystore.h"

namespace qv::options {
namespace {

using Root = platform::Registry::Root;
const QString kSave = kProgramKey + QStringLiteral("\\Save");
const QChar kNul(0);

class RegistryStoreTest : public ::testing::Test {
protected:
    QByteArray raw(const QString& name) {
        return fakes_.registry().value(Root::CurrentUser, kSave, name).value_or("<missing>");
    }
    fakes::FakePlatform fakes_;
};

TEST_F(RegistryStoreTest, TextsAreStoredWithACountedNulExceptWhenOmitted) {
    writeText(kSave, "SaveName", "Capture");
    writeText(kSave, "SaveDir", "");
    writeText(kSave, "ImgFormat", ".png", Nul::Omitted);
    EXPECT_EQ(raw("SaveName"), QByteArray("Capture\0", 8));
    EXPECT_EQ(raw("SaveDir"), QByteArray(1, '\0'));
    EXPECT_EQ(raw("ImgFormat"), QByteArray(".png"));
}

TEST_F(RegistryStoreTest, KeepAndDropRules) {
    struct Case {
        const char* name;
        QByteArray stored;
        QString keep;
        QString drop;
    };
    const Case cases[] = {
        {"empty text", QByteArray(1, '\0'), QString(kNul), ""},
        {"flag", QByteArray("1\0", 2), QStringLiteral("1") + kNul, "1"},
        {"without NUL", ".png", ".png", ".pn"},
        {"non-ASCII", QByteArray("Ärger\0", 7), u"Ärger"_qs + kNul, u"Ärger"_qs},
        {"nothing stored", QByteArray(), "", ""},
    };
    for (const Case& c : cases) {
        fakes_.registry().setValue(Root::CurrentUser, kSave, "V", c.stored);
        EXPECT_EQ(readKeep(kSave, "V"), c.keep) << c.name;
        EXPECT_EQ(readDrop(kSave, "V"), c.drop) << c.name;
    }
    fakes_.registry().setValue(Root::CurrentUser, kSave, "V", QByteArray("1\0", 2));
    EXPECT_EQ(readKeep(kSave, "V"), keepFlag(true));
    EXPECT_NE(readKeep(kSave, "V"), keepFlag(false));
}

TEST_F(RegistryStoreTest, MissingValuesReadAsEmptyAndReadingCreatesTheKey) {
    const QString apps = kProgramKey + QStringLiteral("\\Apps\\");
    EXPECT_FALSE(keyExists(apps));
    EXPECT_EQ(readKeep(apps, "AppPath"), QString());
    EXPECT_EQ(readDrop(apps, "AppPath"), QString());
    EXPECT_TRUE(keyExists(kProgramKey + QStringLiteral("\\Apps")));
    EXPECT_TRUE(keyExists(kProgramKey));
    // The plain open is only a probe.
    EXPECT_FALSE(keyExists(kProgramKey + QStringLiteral("\\Frame")));
    EXPECT_FALSE(keyExists(kProgramKey + QStringLiteral("\\Frame")));
}

TEST_F(RegistryStoreTest, ShownTextEndsAtTheFirstNul) {
    EXPECT_EQ(shownText(QString(kNul)), QString());
    EXPECT_EQ(shownText(QStringLiteral("C:\\x") + kNul), QStringLiteral("C:\\x"));
    EXPECT_EQ(shownText(".png"), QStringLiteral(".png"));
}

}  // namespace
}  // namespace qv::options
