#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

#include "autocapture/joblist_fixture.h"
#include "options/optionsdialog.h"
#include "options/windows.h"

namespace qv::autocapture::listtests {
namespace {

using Root = platform::Registry::Root;

TEST_F(JobWindowsTest, TheOptionsWindowOpensTheListOverItself) {
    store(job("Title"));
    options::OptionsDialog& optionsDialog = prog.optionsWindows().optionsDialog.get();
    optionsDialog.show();
    optionsDialog.autoCaptureButton->click();
    ASSERT_TRUE(prog.autocaptureWindows().jobList.exists());
    EXPECT_TRUE(list().isVisible());
    EXPECT_EQ(list().windowTitle(), "AutoCapture Jobs");
    EXPECT_EQ(listed(), QStringList{"Title"});
}

TEST_F(JobWindowsTest, ListShowsEachJobWithItsTypeAndDimsDisabledOnes) {
    store(job("Title"));
    store(job("Morning", kTimeOfDay, "07:30:00"), false);
    store(job("Often", kInterval, "5"));
    EXPECT_EQ(listed(), (QStringList{"Title", "Morning", "Often"}));
    EXPECT_EQ(prog.autocapture.jobCount, 3);
    const QPalette palette = list().jobView->palette();
    for (int row = 0; row < 3; ++row) {
        QListWidgetItem* item = list().jobView->item(row);
        EXPECT_FALSE(item->icon().isNull()) << row;
        EXPECT_EQ(JobList::isDimmed(item), row == 1) << row;
        EXPECT_EQ(item->foreground(),
                  palette.brush(row == 1 ? QPalette::Disabled : QPalette::Active, QPalette::Text));
        EXPECT_TRUE(item->flags() & Qt::ItemIsSelectable);
    }
    // The first job is selected and sets the buttons.
    EXPECT_EQ(list().selectedJob(), list().jobView->item(0));
    EXPECT_TRUE(list().disableButton->isEnabled());
    EXPECT_FALSE(list().enableButton->isEnabled());
    select(1);
    EXPECT_FALSE(list().disableButton->isEnabled());
    EXPECT_TRUE(list().enableButton->isEnabled());
}

TEST_F(JobWindowsTest, EnableAndDisableWriteTheStatusAndRebuildTheTable) {
    store(job("Morning", kTimeOfDay, "07:30:00"), false);
    list().enableButton->click();
    EXPECT_TRUE(readJob("Morning")->enabled());
    EXPECT_FALSE(JobList::isDimmed(list().jobView->item(0)));
    ASSERT_EQ(prog.autocapture.jobTable.count(), 1);
    EXPECT_TRUE(prog.autocapture.jobTable.rows()[0].enabled);

    // The buttons follow at the next click on a job, not at once.
    EXPECT_FALSE(list().disableButton->isEnabled());
    list().disableItem->trigger();
    EXPECT_FALSE(readJob("Morning")->enabled());
    EXPECT_FALSE(prog.autocapture.jobTable.rows()[0].enabled);

    // A job whose record went meanwhile loses its row; nothing is written for it.
    removeJob("Morning");
    list().enableItem->trigger();
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_FALSE(jobExists("Morning"));
}

TEST_F(JobWindowsTest, CommandsWithoutASelectedJobAskForOne) {
    store(job("Title"));
    list().jobView->clearSelection();
    for (QPushButton* button :
         {list().editButton, list().disableButton, list().enableButton, list().deleteButton}) {
        fake.dialogs().messages.clear();
        button->setEnabled(true);
        button->click();
        ASSERT_EQ(fake.dialogs().messages.size(), 1u) << button->text().toStdString();
        EXPECT_EQ(lastMessage(), "Please select an Item ");
        EXPECT_EQ(fake.dialogs().messages[0].icon, platform::MsgIcon::Information);
        EXPECT_EQ(fake.dialogs().messages[0].title, "Quorvalline");
    }
    EXPECT_TRUE(readJob("Title")->enabled());
    EXPECT_FALSE(editor().isVisible());
}

TEST_F(JobWindowsTest, PopupFollowsTheSelectionAndStaysAwayWhileTheEditorIsUp) {
    store(job("On"));
    store(job("Off"), false);
    auto enabled = [this] {
        QList<bool> states;
        for (QAction* a : {list().newJobItem, list().enableItem, list().disableItem,
                           list().deleteItem, list().editItem})
            states << a->isEnabled();
        return states;
    };
    list().jobView->clearSelection();
    list().updateJobsMenu();
    EXPECT_EQ(enabled(), (QList<bool>{true, false, false, false, false}));
    select(0);
    list().updateJobsMenu();
    EXPECT_EQ(enabled(), (QList<bool>{true, false, true, true, true}));
    select(1);
    list().updateJobsMenu();
    EXPECT_EQ(enabled(), (QList<bool>{true, true, false, true, true}));

    list().editButton->click();
    ASSERT_TRUE(editor().isVisible());
    EXPECT_FALSE(list().jobView->isEnabled());
    list().popUpJobsMenu(QPoint(10, 10));
    EXPECT_FALSE(list().jobsMenu->isVisible());
    editor().cancelButton->click();
    EXPECT_TRUE(list().jobView->isEnabled());
    list().popUpJobsMenu(QPoint(10, 10));
    EXPECT_TRUE(list().jobsMenu->isVisible());
    list().jobsMenu->hide();
}

TEST_F(JobWindowsTest, DeleteKeyAsksAndDeletesExactlyThatJobAtOnce) {
    store(job("Keep"));
    store(job("Drop"));
    prog.autocaptureWindows().jobList->show();
    select(1);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);

    fake.dialogs().answers = {platform::MsgAnswer::No};
    QApplication::sendEvent(list().jobView, &del);
    EXPECT_EQ(lastMessage(), "Are you sure to delete this Job ?");
    EXPECT_EQ(fake.dialogs().messages.back().icon, platform::MsgIcon::Question);
    EXPECT_EQ(fake.dialogs().messages.back().buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(listed(), (QStringList{"Keep", "Drop"}));

    fake.dialogs().answers = {platform::MsgAnswer::Yes};
    QApplication::sendEvent(list().jobView, &del);
    EXPECT_EQ(listed(), QStringList{"Keep"});
    EXPECT_EQ(readJobNames(), QStringList{"Keep"});
    // Gone from the scheduler at once, also when the list is then closed by its box.
    EXPECT_EQ(tableNames(), QStringList{"Keep"});
    list().close();
    EXPECT_FALSE(prog.autocaptureWindows().jobList.exists());
    EXPECT_EQ(tableNames(), QStringList{"Keep"});
}

TEST_F(JobWindowsTest, OkRebuildsTheTableAndTheCloseBoxDoesNot) {
    store(job("First"));
    list().show();
    writeJob(job("Added elsewhere"));
    list().close();
    EXPECT_TRUE(tableNames().isEmpty());
    list().okButton->click();
    EXPECT_EQ(tableNames(), (QStringList{"First", "Added elsewhere"}));
    EXPECT_FALSE(prog.autocaptureWindows().jobList.exists());
}

}  // namespace
}  // namespace qv::autocapture::listtests
