// The descriptors kept back for the dialogs of a program that has none left.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "fakes/fakedialogs.h"
#include "platform/linux/sparedescriptors.h"

namespace qv::platform {
namespace {

// Every descriptor below a lowered limit taken, as in a process at its limit of open files,
// until it goes.
class AtDescriptorLimit {
public:
    AtDescriptorLimit() {
        ::getrlimit(RLIMIT_NOFILE, &old_);
        const rlimit lowered{std::min<rlim_t>(old_.rlim_cur, 256), old_.rlim_max};
        ::setrlimit(RLIMIT_NOFILE, &lowered);
        for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
            taken_.push_back(fd);
    }
    ~AtDescriptorLimit() {
        for (const int fd : taken_)
            ::close(fd);
        ::setrlimit(RLIMIT_NOFILE, &old_);
    }
    // One of them given back, as when a window of the program closes.
    void giveOneBack() {
        ::close(taken_.back());
        taken_.pop_back();
    }

private:
    rlimit old_{};
    std::vector<int> taken_;
};

// How many more descriptors the process could open now.
int freeDescriptors() {
    std::vector<int> opened;
    for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
        opened.push_back(fd);
    for (const int fd : opened)
        ::close(fd);
    return int(opened.size());
}

class SpareDescriptorsTest : public ::testing::Test {
protected:
    void message(const char* text) {
        dialogs.message(QString::fromLatin1(text), MsgButtons::Ok, MsgIcon::Critical,
                        QStringLiteral(" Quorvalline "), nullptr);
    }

    SpareDescriptors spare;
    std::unique_ptr<fakes::FakeDialogs> shown = std::make_unique<fakes::FakeDialogs>();
    fakes::FakeDialogs& fake = *shown;
    DialogsWithSpareDescriptors dialogs{std::move(shown), spare};
};

TEST_F(SpareDescriptorsTest, EachBoxAtTheLimitHasThemAndTheyAreKeptBackAgainAfter) {
    const AtDescriptorLimit limit;
    ASSERT_EQ(freeDescriptors(), 0);
    std::vector<int> freeInBox;
    fake.whileMessageOpen = [&] {
        // A box over the box: the first to close must not take them from the other.
        if (fake.messages.size() == 1)
            message("over it");
        freeInBox.push_back(freeDescriptors());
    };
    message("Error: 75  Too many open files !!");
    const int all = SpareDescriptors::kCount;
    EXPECT_EQ(freeInBox, (std::vector<int>{all, all}));
    EXPECT_EQ(spare.held(), all);
    EXPECT_EQ(freeDescriptors(), 0);
}

// The first box keeps one for the icon theme.
TEST_F(SpareDescriptorsTest, OneKeptByABoxIsKeptBackOnceAnotherIsFree) {
    AtDescriptorLimit limit;
    int keptByTheBox = -1;
    fake.whileMessageOpen = [&] { keptByTheBox = ::open("/dev/null", O_RDONLY | O_CLOEXEC); };
    message("first");
    ASSERT_GE(keptByTheBox, 0);
    EXPECT_EQ(spare.held(), SpareDescriptors::kCount - 1);
    limit.giveOneBack();
    fake.whileMessageOpen = [] {};
    message("second");
    EXPECT_EQ(spare.held(), SpareDescriptors::kCount);
    EXPECT_EQ(freeDescriptors(), 0);
    ::close(keptByTheBox);
}

}  // namespace
}  // namespace qv::platform
