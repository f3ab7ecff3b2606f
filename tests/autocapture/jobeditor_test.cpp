#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

#include "autocapture/joblist_fixture.h"

namespace qv::autocapture::listtests {
namespace {

using Icon = platform::MsgIcon;

class JobEditorTest : public JobWindowsTest {
protected:
    // A new job from the list, filled in as a user would.
    void newJob(const QString& name, const QString& title = "Editor") {
        list().newJobButton->click();
        editor().nameEdit->setText(name);
        editor().folderEdit->setText("/tmp");
        editor().fileNameEdit->setText(name);
        editor().titleEdit->setText(title);
    }
    void editSelected() { list().editButton->click(); }
    void selectKind(int row) { editor().triggerList->setCurrentRow(row); }
};

TEST_F(JobEditorTest, OkChecksTheEntriesInOrderAndSavesNothingUntilAllPass) {
    store(job("Report"));
    list().newJobButton->click();
    JobEditor& e = editor();
    const QString forbidden = "   \\ / : * ? < > |  ";
    const struct {
        std::function<void()> enter;
        QString says;
        Icon icon;
    } steps[] = {
        {[] {}, "Please specify a Job Name! ", Icon::Information},
        {[&] { e.nameEdit->setText("a:b"); }, "Not allowed characters in Job Name :" + forbidden,
         Icon::Critical},
        {[&] { e.nameEdit->setText("report"); }, "Please specify Path ! ", Icon::Information},
        {[&] { e.folderEdit->setText("/tmp"); }, "Please specify Filename Name! ",
         Icon::Information},
        {[&] { e.fileNameEdit->setText("a|b"); },
         "Not allowed characters in Filename :" + forbidden, Icon::Critical},
        {[&] { e.fileNameEdit->setText("shot"); },
         "Please specify a Window Title as trigger for Autocapturing ! ", Icon::Information},
        // Names compare without case, as the store does.
        {[&] { e.titleEdit->setText("Editor"); }, "Item already exists !", Icon::Information},
    };
    for (const auto& step : steps) {
        step.enter();
        fake.dialogs().messages.clear();
        e.okButton->click();
        ASSERT_EQ(fake.dialogs().messages.size(), 1u);
        EXPECT_EQ(lastMessage(), step.says);
        EXPECT_EQ(fake.dialogs().messages[0].icon, step.icon) << step.says.toStdString();
        EXPECT_EQ(fake.dialogs().messages[0].title, "Quorvalline");
        EXPECT_TRUE(e.isVisible());
        EXPECT_EQ(readJobNames(), QStringList{"Report"});
    }
    e.nameEdit->setText("Other");
    e.okButton->click();
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(readJob("Other"),
              (Job{"Other", kWindowTitle, kScreen, "Editor", "/tmp", "shot", ".bmp", kOverwrite}));
    EXPECT_EQ(listed(), (QStringList{"Report", "Other"}));
    EXPECT_EQ(list().selectedJob()->text(), "Other");
    EXPECT_EQ(tableNames(), (QStringList{"Report", "Other"}));
}

// The bytes count, with the extension and in increment mode the number; a refused name leaves
// the stored job as it was.
TEST_F(JobEditorTest, AFileNameTooLongForItsFilesIsRefusedAndTheJobKeepsItsName) {
    const QString euro(83, u'\u20ac');  // 249 bytes
    const std::tuple<QString, bool, QString> rows[] = {
        {QString(249, u'a'), true, "248 bytes (255 with number and extension)"},
        {euro + "abc", false, "251 bytes (255 with extension)"},
        {QString(124, u'\u00e9'), true, {}},  // 248 bytes
        {euro + "ab", false, {}},
    };
    store(job("Report"));
    for (const auto& [fileName, increment, limit] : rows) {
        select(0);
        editSelected();
        editor().fileNameEdit->setText(fileName);
        (increment ? editor().incrementButton : editor().overwriteButton)->setChecked(true);
        fake.dialogs().messages.clear();
        editor().okButton->click();
        EXPECT_EQ(lastMessage(),
                  limit.isEmpty() ? QString() : "Filename too long :   at most " + limit + "  ");
        EXPECT_EQ(readJob("Report")->saveName, limit.isEmpty() ? fileName : "Report");
        editor().cancelButton->click();
    }
}

TEST_F(JobEditorTest, AChangedJobReplacesExactlyTheJobItLoaded) {
    store(job("A"));
    store(job("B"));
    select(0);
    editSelected();
    EXPECT_EQ(editor().nameEdit->text(), "A");
    // A failed check gives the list back; a click there must not change which job is saved.
    editor().nameEdit->clear();
    editor().okButton->click();
    EXPECT_TRUE(list().jobView->isEnabled());
    select(1);
    editor().nameEdit->setText("A2");
    editor().okButton->click();
    EXPECT_EQ(readJobNames(), (QStringList{"B", "A2"}));
    EXPECT_EQ(readJob("B"), job("B"));

    // Renaming onto another job is refused.
    select(0);
    editSelected();
    editor().nameEdit->setText("a2");
    editor().okButton->click();
    EXPECT_EQ(lastMessage(), "Item already exists !");
    editor().cancelButton->click();
    EXPECT_EQ(readJob("B"), job("B"));
}

TEST_F(JobEditorTest, RenamesKeepTheJobAndItsEnabledState) {
    store(job("Night", kInterval, "90"), false);
    const struct {
        QString newName;
        QStringList stored;
    } cases[] = {
        {"Night", {"Night"}},  // in place
        {"NIGHT", {"NIGHT"}},  // only the case changes
        {"Late", {"Late"}},    // a new name
    };
    for (const auto& c : cases) {
        select(0);
        editSelected();
        EXPECT_EQ(editor().valueLabel->text(), "90");
        EXPECT_EQ(editor().intervalBar->value(), -90);
        editor().nameEdit->setText(c.newName);
        editor().okButton->click();
        EXPECT_EQ(readJobNames(), c.stored);
        ASSERT_TRUE(readJob(c.newName));
        EXPECT_FALSE(readJob(c.newName)->enabled()) << c.newName.toStdString();
        EXPECT_EQ(readJob(c.newName)->trigger, "90");
        EXPECT_TRUE(JobList::isDimmed(list().selectedJob()));
    }
}

TEST_F(JobEditorTest, TheArrowsStepTheShownTimeWithoutCarrying) {
    fake.clock().advance(((14 * 60 + 40) * 60 + 15) * 1000);  // 23:40:15
    list().newJobButton->click();
    selectKind(1);
    EXPECT_EQ(editor().valueLabel->text(), "23:40:15");
    editor().hourUpButton->click();
    EXPECT_EQ(editor().valueLabel->text(), "00:40:00");
    editor().hourDownButton->click();
    EXPECT_EQ(editor().valueLabel->text(), "23:40:00");

    fake.locale().time = "h:mm:ss AP";
    store(job("Ten", kTimeOfDay, "10:00:00 AM"));
    list().fill();
    select(0);
    editSelected();
    EXPECT_EQ(editor().valueLabel->text(), "10:00:00 AM");
    editor().minuteDownButton->click();
    EXPECT_EQ(editor().valueLabel->text(), "10:59:00 AM");
    editor().minuteUpButton->click();
    EXPECT_EQ(editor().valueLabel->text(), "10:00:00 AM");

    // An interval starts at 60; the up arrow lengthens it.
    selectKind(2);
    EXPECT_EQ(editor().valueLabel->text(), "60");
    editor().intervalBar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(editor().valueLabel->text(), "61");
}

TEST_F(JobEditorTest, TheWindowPickTakesForeignTitlesOnlyAndRunsOnlyWhileShown) {
    // Far from the small ids the offscreen platform gives the program's own windows.
    constexpr platform::WindowId kForeign = 0x5000001, kOurs = 0x5000002, kDesktop = 0x5000003;
    auto& desktop = fake.desktop();
    desktop.windows.insert(kForeign, {"Foreign", {}, false});
    desktop.windows.insert(kOurs, {"Quorvalline", {}, false});
    desktop.windows.insert(kDesktop, {"Desktop", {}, true});
    desktop.ownWindows.insert(kOurs);

    EXPECT_FALSE(editor().windowPick->isActive());
    list().newJobButton->click();
    EXPECT_TRUE(editor().windowPick->isActive());
    for (const auto& [front, shown] : std::vector<std::pair<platform::WindowId, QString>>{
             {kOurs, ""}, {kDesktop, ""}, {0, ""}, {kForeign, "Foreign"}, {kOurs, "Foreign"}}) {
        desktop.foreground = front;
        fake.clock().advance(100);
        EXPECT_EQ(editor().titleEdit->text(), shown) << front;
    }
    selectKind(2);
    EXPECT_FALSE(editor().windowPick->isActive());
    selectKind(0);
    EXPECT_TRUE(editor().windowPick->isActive());
    editor().cancelButton->click();
    EXPECT_FALSE(editor().windowPick->isActive());
}

TEST_F(JobEditorTest, BrowseKeepsTheFolderWhenCancelled) {
    list().newJobButton->click();
    editor().folderEdit->setText("/old");
    fake.dialogs().paths = {std::nullopt, QString("/new")};
    editor().browseButton->click();
    EXPECT_EQ(editor().folderEdit->text(), "/old");
    editor().browseButton->click();
    EXPECT_EQ(editor().folderEdit->text(), "/new");
}

TEST_F(JobEditorTest, EachTriggerPanelShowsItsWholeCaptionClearOfTheBoxesAroundIt) {
    list().newJobButton->click();
    const QLabel* label = editor().panelLabel;
    for (int row : {0, 1, 2, 0}) {
        selectKind(row);
        SCOPED_TRACE(label->text().toStdString());
        const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(0, 0, label->contentsRect().width(), 1000), flags, label->text());
        EXPECT_LE(needed.width(), label->contentsRect().width());
        EXPECT_LE(needed.height(), label->contentsRect().height());
        for (const QWidget* box : {static_cast<const QWidget*>(editor().titleEdit),
                                   static_cast<const QWidget*>(editor().triggerList),
                                   static_cast<const QWidget*>(editor().captureList)}) {
            if (box->isVisible()) {
                EXPECT_FALSE(label->geometry().intersects(box->geometry()));
            }
        }
    }
    EXPECT_EQ(label->text(),
              "Enter Window Title or click on according Window to get title of the Window ");
}

}  // namespace
}  // namespace qv::autocapture::listtests
