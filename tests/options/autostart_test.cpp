#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include "fakes/fakeprogram.h"
#include "options/autostart.h"
#include "options/forms.h"
#include "options/helpfile.h"

namespace qv::options {
namespace {

// Points the autostart folder at a scratch folder for the test's duration.
class AutostartTest : public fakes::ProgramTest {
protected:
    AutostartTest() : previous_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    }
    ~AutostartTest() override { qputenv("XDG_CONFIG_HOME", previous_); }

    QString entry() {
        QFile f(Autostart::entryPath());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    QTemporaryDir config_;
    QByteArray previous_;
};

TEST_F(AutostartTest, ExecLineQuotesByTheDesktopEntryRules) {
    const struct {
        const char* path;
        const char* exec;
    } cases[] = {
        {"/usr/bin/quorvalline", R"("/usr/bin/quorvalline")"},
        {"/opt/my apps/quorvalline", R"("/opt/my apps/quorvalline")"},
        {R"(/opt/a"b$c`d/q)", R"("/opt/a\\"b\\$c\\`d/q")"},
        {R"(/opt/back\slash/q)", R"("/opt/back\\\\slash/q")"},
        {"/opt/100%/q", R"("/opt/100%%/q")"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Autostart::execLine(c.path), c.exec) << c.path;
}

TEST_F(AutostartTest, TheBoxWritesOrRemovesTheEntryAtOnceAndStartUpRewritesItsPath) {
    EXPECT_EQ(Autostart::entryPath(), config_.path() + "/autostart/quorvalline.desktop");
    const QString exec = Autostart::execLine(QCoreApplication::applicationFilePath());
    Form4& f = prog.optionsForms().form4.get();
    EXPECT_FALSE(Autostart::isEnabled());
    f.Check6->setChecked(true);
    EXPECT_TRUE(entry().startsWith("[Desktop Entry]\nType=Application\n"));
    EXPECT_TRUE(entry().contains("\nExec=" + exec + "\n"));
    f.Command4->click();
    EXPECT_TRUE(Autostart::isEnabled()) << "Cancel leaves it";
    f.Check6->setChecked(false);
    EXPECT_FALSE(Autostart::isEnabled());

    // Start-up sets the box from the entry's presence, which rewrites an entry left by a
    // program that has moved since.
    ASSERT_TRUE(Autostart::enable("/old place/quorvalline"));
    f.Check6->setChecked(Autostart::isEnabled());
    EXPECT_FALSE(entry().contains("old place"));
    EXPECT_TRUE(entry().contains(exec));

    qputenv("XDG_CONFIG_HOME", "relative/dir");
    EXPECT_TRUE(Autostart::entryPath().endsWith("/.config/autostart/quorvalline.desktop"));
}

TEST_F(AutostartTest, HelpOpensTheFileBesideTheProgramOrSaysWhyNot) {
    Form4& f = prog.optionsForms().form4.get();
    f.Command10->click();
    ASSERT_EQ(fake.shell().opened.size(), 1u);
    EXPECT_EQ(fake.shell().opened[0],
              QCoreApplication::applicationDirPath() + "/QuorvallineHelp.chm");
    EXPECT_TRUE(fake.dialogs().messages.empty());

    namespace r = platform::shellresult;
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {r::FileNotFound, "File not found !"},
        {r::PathNotFound, "Path not found !"},
        {r::AccessDenied, "Access denied !"},
        {r::NoMemory, "No more memory !"},
        {r::BadFormat, "Corrupt EXE File !"},
        {r::ShareViolation, "Access violation occured !"},
        {r::AssocIncomplete, "Uncomplied or wrong file association !"},
        {r::DdeTimeout, "DDE Time out !"},
        {r::DdeFail, "DDE transaction failed !"},
        {r::DdeBusy, "DDE bussy!"},
        {r::NoAssociation, "No such application !"},
        {r::DllNotFound, "DLL not found !"},
        {r::OutOfMemory, ""},
        {17, ""},
    };
    for (const auto& c : cases) {
        fake.shell().result = c.code;
        f.Command10->click();
        ASSERT_FALSE(fake.dialogs().messages.empty());
        const auto& m = fake.dialogs().messages.back();
        EXPECT_EQ(m.text, c.text) << c.code;
        EXPECT_EQ(m.title, " Quorvalline ");
        EXPECT_EQ(m.icon, platform::MsgIcon::Critical);
    }
    EXPECT_EQ(fake.dialogs().messages.size(), std::size(cases));
}

}  // namespace
}  // namespace qv::options
