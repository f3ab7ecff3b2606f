#include <gtest/gtest.h>

#include "platform/memoryregistry.h"

namespace qv::platform {
namespace {

using Root = Registry::Root;

TEST(MemoryRegistry, KeyNamesCompareWithoutCaseAndTrailingSeparator) {
    MemoryRegistry reg;
    reg.setValue(Root::CurrentUser, "Software\\Quorvalline\\Save", "SaveName", "a");
    const char* spellings[] = {"Software\\Quorvalline\\Save", "Software\\Quorvalline\\Save\\",
                               "SOFTWARE\\quorvalline\\save", "\\Software\\\\Quorvalline\\Save"};
    for (const char* s : spellings) {
        EXPECT_TRUE(reg.keyExists(Root::CurrentUser, s)) << s;
        EXPECT_EQ(reg.value(Root::CurrentUser, s, "savename"), QByteArray("a")) << s;
    }
    reg.setValue(Root::CurrentUser, "software\\QUORVALLINE\\save\\", "SAVENAME", "b");
    EXPECT_EQ(reg.subKeys(Root::CurrentUser, "Software\\Quorvalline"), QStringList{"Save"});
    EXPECT_EQ(reg.value(Root::CurrentUser, "Software\\Quorvalline\\Save", "SaveName"), "b");
    EXPECT_FALSE(reg.keyExists(Root::LocalMachine, "Software\\Quorvalline\\Save"));
}

TEST(MemoryRegistry, DeletesReportWhetherTheyFoundSomething) {
    MemoryRegistry reg;
    reg.setValue(Root::CurrentUser, "Software\\Quorvalline\\AutoCapture\\Job\\Deep", "a", "1");
    reg.setValue(Root::CurrentUser, "Software\\Quorvalline\\AutoCapture\\Other", "a", "1");
    EXPECT_TRUE(reg.deleteKey(Root::CurrentUser, "software\\quorvalline\\autocapture\\JOB"));
    EXPECT_FALSE(reg.keyExists(Root::CurrentUser, "Software\\Quorvalline\\AutoCapture\\Job"));
    EXPECT_EQ(reg.subKeys(Root::CurrentUser, "Software\\Quorvalline\\AutoCapture"),
              QStringList{"Other"});
    EXPECT_FALSE(reg.deleteKey(Root::CurrentUser, "Software\\Quorvalline\\AutoCapture\\Job"));

    reg.setValue(Root::CurrentUser, "Run", "Quorvalline", "x");
    EXPECT_TRUE(reg.deleteValue(Root::CurrentUser, "Run", "quorvalline"));
    EXPECT_FALSE(reg.deleteValue(Root::CurrentUser, "Run", "Quorvalline"));
}

}  // namespace
}  // namespace qv::platform
