#pragma once

#include <QPointer>
#include <QTime>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "autocapture/jobrecords.h"
#include "platform/clock.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QToolButton;

namespace qv::autocapture {

// "Setup Autocapture": makes a new job or changes one, opened by the job list. Stays built
// between uses; the list clears or loads it each time.
class JobEditor : public QWidget {
public:
    JobEditor();
    ~JobEditor() override;

    // Empty boxes, the first row of each list, overwrite mode, the time of day from now.
    void startNewJob();
    // Shows the stored job; OK then replaces exactly this job.
    void startEditing(const Job& job);

    // The list's job view, disabled while the editor shows; told what was saved.
    void attachJobView(QWidget* jobView) { jobView_ = jobView; }
    std::function<void(const QString& savedName)> onSaved;

    // The panel switch of the trigger kinds.
    void showTriggerPanel(const QString& kind);
    QString triggerKind() const { return triggerKind_; }
    // The time the arrows step, shown in the value label.
    QTime editTime() const { return editTime_; }
    void stepHour(int step);
    void stepMinute(int step);
    // Puts the title of the window in front into the title box, unless it is ours, none or
    // the desktop.
    void pickWindowTitle();
    void browseFolder();
    // OK: checks, saves and hides; a failed check says why and keeps everything.
    void accept();
    void cancel();
    // The job the boxes describe.
    Job describedJob() const;

    // Controls.
    QLabel* triggerLabel;
    QListWidget* triggerList;
    QLabel* captureLabel;
    QListWidget* captureList;
    QWidget* triggerArea;
    QLabel* panelLabel;
    QLineEdit* titleEdit;
    QLabel* valueLabel;  // the time of day or the interval
    QLabel* hoursLabel;
    QLabel* minutesLabel;
    QToolButton* hourUpButton;
    QToolButton* hourDownButton;
    QToolButton* minuteUpButton;
    QToolButton* minuteDownButton;
    QScrollBar* intervalBar;
    QGroupBox* saveGroup;
    QLabel* nameLabel;
    QLineEdit* nameEdit;
    QLabel* folderLabel;
    QLineEdit* folderEdit;
    QPushButton* browseButton;
    QLabel* fileNameLabel;
    QLineEdit* fileNameEdit;
    QLabel* formatLabel;
    QComboBox* formatCombo;
    QRadioButton* overwriteButton;
    QRadioButton* incrementButton;
    QPushButton* okButton;
    QPushButton* cancelButton;
    std::unique_ptr<platform::Timer> windowPick;  // runs only while the title can be picked

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTriggerArea();
    void buildSaveGroup();
    void clearEntries();
    void updateWindowPick();
    void setJobViewEnabled(bool enabled);
    void showIntervalValue(int value);
    // Shows what the first failed check found and gives false; true when all pass.
    bool checkEntries();
    void save(const Job& job);

    QString triggerKind_;
    QTime editTime_;
    std::optional<QString> editedName_;  // the job being changed; none for a new job
    QPointer<QWidget> jobView_;
};

}  // namespace qv::autocapture
