#include "autocapture/jobeditor.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

#include "autocapture/jobtimes.h"
#include "autocapture/schedulercontrol.h"
#include "options/filenamerule.h"
#include "platform/services.h"
#include "toolkit/numbers.h"
#include "toolkit/twips.h"

namespace qv::autocapture {

namespace {

const QString kTitle = QStringLiteral("Quorvalline");
const QString kTitlePanelCaption =
    QStringLiteral("Enter Window Title or click on according Window to get title of the Window ");
constexpr int kPickInterval = 100;

// The trigger area is placed as it was designed, in twips of a 96 dpi screen.
QRect twips(int left, int top, int width, int height) {
    auto px = [](int t) { return toolkit::twipsToPixels(t, 15); };
    return QRect(px(left), px(top), px(width), px(height));
}

void placeHorizontally(QWidget* widget, int left, int width) {
    const QRect now = widget->geometry();
    const QRect placed = twips(left, 0, width, 0);
    widget->setGeometry(placed.left(), now.top(), placed.width(), now.height());
}

// A caption longer than its designed line (fonts are wider than the design's) takes more lines,
// growing upwards into the free space under the lists: its last line stays where it was.
void showWholeCaption(QLabel* label, const QString& text) {
    label->setText(text);
    const QRect designed = twips(0, 1800, 0, 255);
    const int height = std::max(designed.height(), label->heightForWidth(label->width()));
    label->setGeometry(label->x(), designed.bottom() + 1 - height, label->width(), height);
}

QString localeTimeFormat() {
    return platform::locale().timeFormat();
}

// Selects the first row whose text equals text; none leaves the selection as it was.
bool selectRow(QListWidget* list, const QString& text) {
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text() == text) {
            list->setCurrentRow(row);
            return true;
        }
    }
    return false;
}

}  // namespace

JobEditor::JobEditor() : windowPick(platform::clock().createTimer()) {
    setWindowTitle(QStringLiteral("Setup Autocapture"));
    setWindowFlag(Qt::Dialog);
    buildTriggerArea();
    buildSaveGroup();

    okButton = new QPushButton(QStringLiteral("&OK"), this);
    cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(triggerArea);
    layout->addWidget(saveGroup);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancel(); });
    windowPick->onTimeout = [this] { pickWindowTitle(); };

    // The load: empty boxes, the first rows, overwrite mode, the time of day from now.
    editTime_ = platform::clock().now().time();
    overwriteButton->setChecked(true);
    triggerList->addItems({kWindowTitle, kTimeOfDay, kInterval});
    triggerList->setCurrentRow(0);
    captureList->addItems({kScreen, kActiveWindow});
    captureList->setCurrentRow(0);
    formatCombo->addItems({".bmp", ".png", ".jpg", ".tif"});
    formatCombo->setCurrentIndex(0);
}

JobEditor::~JobEditor() = default;

void JobEditor::buildTriggerArea() {
    triggerArea = new QWidget(this);
    triggerArea->setFixedSize(twips(0, 0, 6135, 2760).size());
    triggerLabel = new QLabel(QStringLiteral("Trigger to start Capture  is:"), triggerArea);
    triggerLabel->setGeometry(twips(240, 120, 2760, 255));
    triggerList = new QListWidget(triggerArea);
    triggerList->setGeometry(twips(240, 420, 2760, 900));
    captureLabel = new QLabel(QStringLiteral("What to Capture is:"), triggerArea);
    captureLabel->setGeometry(twips(3240, 120, 2655, 255));
    captureList = new QListWidget(triggerArea);
    captureList->setGeometry(twips(3240, 420, 2655, 900));

    panelLabel = new QLabel(triggerArea);
    panelLabel->setGeometry(twips(240, 1800, 5655, 255));
    panelLabel->setWordWrap(true);
    titleEdit = new QLineEdit(triggerArea);
    titleEdit->setGeometry(twips(240, 2160, 5655, 315));
    valueLabel = new QLabel(triggerArea);
    valueLabel->setGeometry(twips(2040, 2160, 1500, 285));
    hoursLabel = new QLabel(QStringLiteral("hh"), triggerArea);
    hoursLabel->setGeometry(twips(3600, 1920, 330, 225));
    minutesLabel = new QLabel(QStringLiteral("mm"), triggerArea);
    minutesLabel->setGeometry(twips(3960, 1920, 330, 225));

    auto arrow = [this](Qt::ArrowType type, QRect where, void (JobEditor::*step)(int), int by) {
        auto* button = new QToolButton(triggerArea);
        button->setArrowType(type);
        button->setGeometry(where);
        connect(button, &QToolButton::clicked, this, [this, step, by] { (this->*step)(by); });
        return button;
    };
    hourUpButton = arrow(Qt::UpArrow, twips(3600, 2160, 255, 195), &JobEditor::stepHour, 1);
    hourDownButton = arrow(Qt::DownArrow, twips(3600, 2400, 255, 195), &JobEditor::stepHour, -1);
    minuteUpButton = arrow(Qt::UpArrow, twips(3960, 2160, 255, 195), &JobEditor::stepMinute, 1);
    minuteDownButton =
        arrow(Qt::DownArrow, twips(3960, 2400, 255, 195), &JobEditor::stepMinute, -1);

    // Values -240 .. -1 shown without their sign: the up arrow lengthens the interval.
    intervalBar = new QScrollBar(Qt::Vertical, triggerArea);
    intervalBar->setGeometry(twips(3360, 2160, 495, 285));
    intervalBar->setRange(-240, -1);
    intervalBar->setSingleStep(1);
    intervalBar->setPageStep(1);
    intervalBar->setValue(-1);

    connect(triggerList, &QListWidget::currentTextChanged, this,
            [this](const QString& kind) { showTriggerPanel(kind); });
    connect(intervalBar, &QScrollBar::valueChanged, this,
            [this](int value) { showIntervalValue(value); });
}

void JobEditor::buildSaveGroup() {
    saveGroup = new QGroupBox(QStringLiteral("Autocapture and save Options:"), this);
    nameLabel = new QLabel(QStringLiteral("Name of Job:"), saveGroup);
    nameEdit = new QLineEdit(saveGroup);
    folderLabel =
        new QLabel(QStringLiteral("Path to save automatically captured image :"), saveGroup);
    folderEdit = new QLineEdit(saveGroup);
    browseButton = new QPushButton(QStringLiteral("&Browse..."), saveGroup);
    fileNameLabel = new QLabel(QStringLiteral("Filename "), saveGroup);
    fileNameEdit = new QLineEdit(saveGroup);
    formatLabel = new QLabel(QStringLiteral("Format:"), saveGroup);
    formatCombo = new QComboBox(saveGroup);
    overwriteButton = new QRadioButton(QStringLiteral("Overwrite existing"), saveGroup);
    incrementButton = new QRadioButton(QStringLiteral("Increment Filename"), saveGroup);

    auto* grid = new QGridLayout(saveGroup);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(nameEdit, 0, 1, 1, 2);
    grid->addWidget(folderLabel, 1, 0, 1, 3);
    grid->addWidget(folderEdit, 2, 0, 1, 2);
    grid->addWidget(browseButton, 2, 2);
    grid->addWidget(fileNameLabel, 3, 0);
    grid->addWidget(fileNameEdit, 3, 1, 1, 2);
    grid->addWidget(formatLabel, 4, 0);
    grid->addWidget(formatCombo, 4, 1);
    grid->addWidget(overwriteButton, 5, 0, 1, 2);
    grid->addWidget(incrementButton, 5, 2);

    nameEdit->installEventFilter(this);
    connect(browseButton, &QPushButton::clicked, this, [this] { browseFolder(); });
}

bool JobEditor::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the name box names the file after the job, whatever the file box held.
    if (watched == nameEdit && event->type() == QEvent::FocusOut)
        fileNameEdit->setText(nameEdit->text());
    return QWidget::eventFilter(watched, event);
}

void JobEditor::clearEntries() {
    titleEdit->clear();
    folderEdit->clear();
    fileNameEdit->clear();
    nameEdit->clear();
}

void JobEditor::startNewJob() {
    clearEntries();
    editedName_.reset();
    editTime_ = platform::clock().now().time();
    overwriteButton->setChecked(true);
    triggerList->setCurrentRow(0);
    if (triggerKind_ != kWindowTitle)
        showTriggerPanel(kWindowTitle);
    captureList->setCurrentRow(0);
    formatCombo->setCurrentIndex(0);
}

void JobEditor::startEditing(const Job& job) {
    editedName_ = job.name;
    nameEdit->setText(job.name);
    selectRow(captureList, job.captureType);
    if (selectRow(triggerList, job.jobType) && triggerKind_ != job.jobType)
        showTriggerPanel(job.jobType);
    folderEdit->setText(job.saveDir);
    fileNameEdit->setText(job.saveName);
    const int format = formatCombo->findText(job.imgFormat);
    if (format >= 0)
        formatCombo->setCurrentIndex(format);
    if (job.savingType == kOverwrite)
        overwriteButton->setChecked(true);
    else if (job.savingType == kIncrement)
        incrementButton->setChecked(true);

    if (job.jobType == kWindowTitle) {
        titleEdit->setText(job.trigger);
    } else if (job.jobType == kTimeOfDay) {
        valueLabel->setText(job.trigger);
        if (const auto time = readTimeText(job.trigger, localeTimeFormat()))
            editTime_ = *time;
    } else if (job.jobType == kInterval) {
        valueLabel->setText(job.trigger);
        intervalBar->setValue(-int(toolkit::leadingNumber(job.trigger)));
        showIntervalValue(intervalBar->value());
    }
}

void JobEditor::showTriggerPanel(const QString& kind) {
    triggerKind_ = kind;
    const bool title = kind == kWindowTitle;
    const bool time = kind == kTimeOfDay;
    const bool interval = kind == kInterval;
    titleEdit->setVisible(title);
    valueLabel->setVisible(time || interval);
    hoursLabel->setVisible(time);
    minutesLabel->setVisible(time);
    for (QToolButton* arrow : {hourUpButton, hourDownButton, minuteUpButton, minuteDownButton})
        arrow->setVisible(time);
    intervalBar->setVisible(interval);
    if (title) {
        placeHorizontally(panelLabel, 240, 5655);
        showWholeCaption(panelLabel, kTitlePanelCaption);
    } else if (time) {
        placeHorizontally(panelLabel, 2040, 1500);
        showWholeCaption(panelLabel, QStringLiteral("Set Time of Day"));
        placeHorizontally(valueLabel, 2040, 1500);
        // The arrows step what the panel shows.
        editTime_ = platform::clock().now().time();
        valueLabel->setText(timeText(editTime_, localeTimeFormat()));
    } else if (interval) {
        placeHorizontally(panelLabel, 2400, 3495);
        showWholeCaption(panelLabel, QStringLiteral("Interval in Minutes"));
        placeHorizontally(valueLabel, 2400, 900);
        valueLabel->setText(QStringLiteral("60"));
        intervalBar->setValue(-60);
        showIntervalValue(intervalBar->value());
    }
    updateWindowPick();
}

void JobEditor::showIntervalValue(int value) {
    valueLabel->setText(QString::number(std::abs(value)));
}

void JobEditor::stepHour(int step) {
    editTime_ = autocapture::stepHour(editTime_, step);
    valueLabel->setText(timeText(editTime_, localeTimeFormat()));
}

void JobEditor::stepMinute(int step) {
    editTime_ = autocapture::stepMinute(editTime_, step);
    valueLabel->setText(timeText(editTime_, localeTimeFormat()));
}

void JobEditor::updateWindowPick() {
    if (isVisible() && triggerKind_ == kWindowTitle) {
        if (!windowPick->isActive())
            windowPick->start(kPickInterval);
    } else {
        windowPick->stop();
    }
}

void JobEditor::pickWindowTitle() {
    auto& desktop = platform::desktop();
    const platform::WindowId front = desktop.foregroundWindow();
    if (front == 0 || desktop.isDesktop(front) || desktop.isOwnWindow(front))
        return;
    titleEdit->setText(desktop.windowTitle(front));
}

void JobEditor::browseFolder() {
    windowPick->stop();
    if (auto folder = platform::dialogs().chooseFolder(QStringLiteral("Choose Folder:"),
                                                       folderEdit->text(), this))
        folderEdit->setText(*folder);
    updateWindowPick();
}

Job JobEditor::describedJob() const {
    Job job;
    job.name = nameEdit->text();
    job.jobType = triggerKind_;
    job.captureType = captureList->currentItem() ? captureList->currentItem()->text() : QString();
    job.trigger = triggerKind_ == kWindowTitle ? titleEdit->text() : valueLabel->text();
    job.saveDir = folderEdit->text();
    job.saveName = fileNameEdit->text();
    job.imgFormat = formatCombo->currentText();
    job.savingType = incrementButton->isChecked() ? kIncrement : kOverwrite;
    return job;
}

bool JobEditor::checkEntries() {
    auto refuse = [this](const QString& text, platform::MsgIcon icon) {
        platform::dialogs().message(text, platform::MsgButtons::Ok, icon, kTitle, this);
        return false;
    };
    using Icon = platform::MsgIcon;
    const QString name = nameEdit->text();
    if (name.isEmpty())
        return refuse(QStringLiteral("Please specify a Job Name! "), Icon::Information);
    if (options::checkFileName(name) == options::FileNameProblem::ForbiddenCharacter) {
        return refuse(QStringLiteral("Not allowed characters in Job Name :   \\ / : * ? < > |  "),
                      Icon::Critical);
    }
    if (folderEdit->text().isEmpty())
        return refuse(QStringLiteral("Please specify Path ! "), Icon::Information);
    if (fileNameEdit->text().isEmpty())
        return refuse(QStringLiteral("Please specify Filename Name! "), Icon::Information);
    const QString fileNameRefusal = options::fileNameRefusal(
        fileNameEdit->text(), incrementButton->isChecked() ? options::NameEnding::NumberAndExtension
                                                           : options::NameEnding::Extension);
    if (!fileNameRefusal.isEmpty())
        return refuse(fileNameRefusal, Icon::Critical);
    if (triggerKind_ == kWindowTitle && titleEdit->text().isEmpty()) {
        return refuse(
            QStringLiteral("Please specify a Window Title as trigger for Autocapturing ! "),
            Icon::Information);
    }
    // Names compare without case, as the store does: another job of that name would be lost.
    const bool sameJob = editedName_ && name.compare(*editedName_, Qt::CaseInsensitive) == 0;
    if (!sameJob && jobExists(name))
        return refuse(QStringLiteral("Item already exists !"), Icon::Information);
    return true;
}

void JobEditor::accept() {
    setJobViewEnabled(true);
    if (!checkEntries())
        return;
    save(describedJob());
}

void JobEditor::save(const Job& job) {
    if (!editedName_) {
        writeJob(job);
    } else {
        const QString old = *editedName_;
        const std::optional<Job> stored = readJob(old);
        const bool enabled = !stored || stored->enabled();
        if (job.name == old) {
            writeJob(job);
        } else if (job.name.compare(old, Qt::CaseInsensitive) == 0) {
            // The store ignores case: the old key would take the new record under its name.
            removeJob(old);
            writeJob(job);
        } else {
            // Written first, so a failure never loses the job.
            writeJob(job);
            removeJob(old);
        }
        setJobEnabled(job.name, enabled);
    }
    editedName_.reset();
    reloadJobTable();
    hide();
    if (onSaved)
        onSaved(job.name);
}

void JobEditor::cancel() {
    setJobViewEnabled(true);
    editedName_.reset();
    hide();
}

void JobEditor::setJobViewEnabled(bool enabled) {
    if (jobView_)
        jobView_->setEnabled(enabled);
}

void JobEditor::showEvent(QShowEvent* event) {
    okButton->setDefault(true);
    setJobViewEnabled(false);
    QWidget::showEvent(event);
    updateWindowPick();
}

void JobEditor::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    windowPick->stop();
    setJobViewEnabled(true);
}

void JobEditor::closeEvent(QCloseEvent* event) {
    setJobViewEnabled(true);
    editedName_.reset();
    QWidget::closeEvent(event);
}

}  // namespace qv::autocapture
