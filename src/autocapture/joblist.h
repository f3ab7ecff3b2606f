#pragma once

#include <QWidget>

class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;

namespace qv::autocapture {

// "AutoCapture Jobs": every stored job as an icon with its name, dimmed while disabled. Its
// buttons make, change, enable, disable and delete jobs; the scheduler is idle while it shows.
class JobList : public QWidget {
public:
    JobList();

    // Fills the list from the records and selects the first job.
    void fill();

    // The selected job's item, or null.
    QListWidgetItem* selectedJob() const;
    static bool isDimmed(const QListWidgetItem* item);
    void setDimmed(QListWidgetItem* item, bool dimmed);

    // The commands of the buttons, the popup and the keys.
    void confirm();
    void newJob();
    void editJob();
    void disableJob();
    void enableJob();
    void deleteJob();
    // The popup at a right press, unless the editor is up.
    void popUpJobsMenu(const QPoint& globalPos);
    void updateJobsMenu();

    // Controls.
    QLabel* jobsLabel;
    QListWidget* jobView;
    QPushButton* okButton;
    QPushButton* newJobButton;
    QPushButton* editButton;
    QPushButton* disableButton;
    QPushButton* enableButton;
    QPushButton* deleteButton;
    QMenu* jobsMenu;
    QAction* newJobItem;
    QAction* enableItem;
    QAction* disableItem;
    QAction* deleteItem;
    QAction* editItem;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidgetItem* addJobItem(const QString& name, const QString& type, const QString& status);
    // A dimmed job offers Enable, a normal one Disable.
    void applyButtonRule(const QListWidgetItem* item);
    // The selected job's item; without one, says so and gives null.
    QListWidgetItem* selectedJobOrSay();
    // The item's job, unless its record is gone: then the row goes too.
    bool stillStored(QListWidgetItem* item);
    void openEditor();
    void showEdited(const QString& savedName);
    void leave();
};

}  // namespace qv::autocapture
