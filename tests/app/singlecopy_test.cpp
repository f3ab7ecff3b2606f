#include <gtest/gtest.h>

#include <cstdlib>

#include "app/singlecopy.h"
#include "fakes/fakedialogs.h"
#include "platform/instancelock.h"

namespace qv {
namespace {

using Outcome = platform::InstanceLock::Outcome;

class ScriptedLock : public platform::InstanceLock {
public:
    explicit ScriptedLock(Outcome outcome) : outcome_(outcome) {}
    Outcome take() override { return outcome_; }
    QString problem() const override { return QStringLiteral("/run/user/7/q.lock: Read-only"); }

private:
    Outcome outcome_;
};

TEST(SingleCopy, AStartGoesOnOnlyWhenItIsSureToBeAlone) {
    const struct {
        Outcome outcome;
        std::optional<int> exitCode;
        const char* said;
        platform::MsgIcon icon;
    } cases[] = {
        {Outcome::Taken, std::nullopt, nullptr, platform::MsgIcon::None},
        {Outcome::HeldElsewhere, EXIT_SUCCESS, "Quorvalline is already running.",
         platform::MsgIcon::Information},
        {Outcome::Unavailable, EXIT_FAILURE, "/run/user/7/q.lock: Read-only",
         platform::MsgIcon::Critical},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.outcome));
        ScriptedLock lock(c.outcome);
        fakes::FakeDialogs dialogs;
        EXPECT_EQ(endUnlessOnlyCopy(lock, dialogs), c.exitCode);
        if (!c.said) {
            EXPECT_TRUE(dialogs.messages.empty());
            continue;
        }
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.contains(QLatin1String(c.said)));
        EXPECT_EQ(dialogs.messages[0].icon, c.icon);
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral(" Quorvalline "));
    }
}

}  // namespace
}  // namespace qv
