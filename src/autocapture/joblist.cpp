#include "autocapture/joblist.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "autocapture/jobrecords.h"
#include "autocapture/schedulercontrol.h"
#include "autocapture/state.h"
#include "autocapture/windows.h"
#include "platform/services.h"
#include "toolkit/ownedwindow.h"

// The type icons live in this library; a static library's resources must be asked for.
static void initAutoCaptureResources() {
    Q_INIT_RESOURCE(autocapture);
}

namespace qv::autocapture {

namespace {

const QString kTitle = QStringLiteral("Quorvalline");
constexpr int kDimmedRole = Qt::UserRole;
constexpr int kTypeRole = Qt::UserRole + 1;

void loadResources() {
    static const bool loaded = (initAutoCaptureResources(), true);
    Q_UNUSED(loaded);
}

QIcon typeIcon(const QString& type) {
    if (type == kWindowTitle)
        return QIcon(QStringLiteral(":/autocapture/windowtitle.svg"));
    if (type == kTimeOfDay)
        return QIcon(QStringLiteral(":/autocapture/timeofday.svg"));
    if (type == kInterval)
        return QIcon(QStringLiteral(":/autocapture/interval.svg"));
    return {};
}

}  // namespace

JobList::JobList() {
    loadResources();
    setWindowTitle(QStringLiteral("AutoCapture Jobs"));
    setWindowFlag(Qt::Dialog);

    jobsLabel = new QLabel(QStringLiteral("Jobs List:"), this);
    jobView = new QListWidget(this);
    jobView->setViewMode(QListView::IconMode);
    jobView->setIconSize(QSize(32, 32));
    jobView->setMovement(QListView::Static);
    jobView->setResizeMode(QListView::Adjust);
    jobView->setWordWrap(true);
    jobView->setSelectionMode(QAbstractItemView::SingleSelection);
    jobView->setContextMenuPolicy(Qt::CustomContextMenu);
    jobView->setMinimumSize(320, 220);
    jobView->installEventFilter(this);

    okButton = new QPushButton(QStringLiteral("&OK"), this);
    newJobButton = new QPushButton(QStringLiteral("&New Job..."), this);
    editButton = new QPushButton(QStringLiteral("&Edit..."), this);
    disableButton = new QPushButton(QStringLiteral("Di&sable Job"), this);
    enableButton = new QPushButton(QStringLiteral("E&nable Job"), this);
    deleteButton = new QPushButton(QStringLiteral("&Delete Job"), this);

    auto* left = new QVBoxLayout;
    left->addWidget(jobsLabel);
    left->addWidget(jobView);
    auto* right = new QVBoxLayout;
    for (QPushButton* b :
         {okButton, newJobButton, editButton, disableButton, enableButton, deleteButton})
        right->addWidget(b);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    jobsMenu = new QMenu(QStringLiteral("jobs"), this);
    newJobItem = jobsMenu->addAction(QStringLiteral("Add New Job..."));
    jobsMenu->addSeparator();
    enableItem = jobsMenu->addAction(QStringLiteral("Enable Job"));
    jobsMenu->addSeparator();
    disableItem = jobsMenu->addAction(QStringLiteral("Disable Job"));
    jobsMenu->addSeparator();
    deleteItem = jobsMenu->addAction(QStringLiteral("Delete Job"));
    jobsMenu->addSeparator();
    editItem = jobsMenu->addAction(QStringLiteral("Edit..."));

    const std::pair<QPushButton*, void (JobList::*)()> buttons[] = {
        {okButton, &JobList::confirm},       {newJobButton, &JobList::newJob},
        {editButton, &JobList::editJob},     {disableButton, &JobList::disableJob},
        {enableButton, &JobList::enableJob}, {deleteButton, &JobList::deleteJob},
    };
    // Each command is captured under a name of its own: clang before 16 cannot capture a
    // structured binding.
    for (const auto& [button, command] : buttons)
        connect(button, &QPushButton::clicked, this,
                [this, command = command] { (this->*command)(); });
    const std::pair<QAction*, void (JobList::*)()> items[] = {
        {newJobItem, &JobList::newJob},      {enableItem, &JobList::enableJob},
        {disableItem, &JobList::disableJob}, {deleteItem, &JobList::deleteJob},
        {editItem, &JobList::editJob},
    };
    for (const auto& [item, command] : items)
        connect(item, &QAction::triggered, this, [this, command = command] { (this->*command)(); });

    connect(jobView, &QListWidget::itemClicked, this, [this] { applyButtonRule(selectedJob()); });
    connect(jobView, &QListWidget::itemDoubleClicked, this, [this] {
        if (QListWidgetItem* item = selectedJob()) {
            applyButtonRule(item);
            if (stillStored(item)) {
                windows().jobEditor->startEditing(*readJob(item->text()));
                openEditor();
            }
        }
    });
    connect(jobView, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popUpJobsMenu(jobView->viewport()->mapToGlobal(at)); });

    fill();
}

void JobList::fill() {
    jobView->clear();
    const QStringList names = readJobNames();
    for (const QString& name : names) {
        const std::optional<Job> job = readJob(name);
        addJobItem(name, job ? job->jobType : QString(), job ? job->status : QString());
    }
    state().jobCount = int(names.size());
    if (jobView->count() > 0) {
        jobView->setCurrentRow(0);
        applyButtonRule(jobView->item(0));
    }
}

QListWidgetItem* JobList::addJobItem(const QString& name, const QString& type,
                                     const QString& status) {
    auto* item = new QListWidgetItem(name, jobView);
    item->setData(kTypeRole, type);
    setDimmed(item, status == QLatin1String("0"));
    return item;
}

bool JobList::isDimmed(const QListWidgetItem* item) {
    return item && item->data(kDimmedRole).toBool();
}

void JobList::setDimmed(QListWidgetItem* item, bool dimmed) {
    item->setData(kDimmedRole, dimmed);
    // Dimmed, not disabled: the job stays selectable, so that it can be enabled again.
    const QIcon icon = typeIcon(item->data(kTypeRole).toString());
    const QSize size = jobView->iconSize();
    item->setIcon(dimmed && !icon.isNull() ? QIcon(icon.pixmap(size, QIcon::Disabled)) : icon);
    const QPalette::ColorGroup group = dimmed ? QPalette::Disabled : QPalette::Active;
    item->setForeground(jobView->palette().brush(group, QPalette::Text));
}

QListWidgetItem* JobList::selectedJob() const {
    QListWidgetItem* item = jobView->currentItem();
    return item && item->isSelected() ? item : nullptr;
}

QListWidgetItem* JobList::selectedJobOrSay() {
    QListWidgetItem* item = selectedJob();
    if (!item) {
        platform::dialogs().message(QStringLiteral("Please select an Item "),
                                    platform::MsgButtons::Ok, platform::MsgIcon::Information,
                                    kTitle, this);
    }
    return item;
}

bool JobList::stillStored(QListWidgetItem* item) {
    if (jobExists(item->text()))
        return true;
    delete item;
    reloadJobTable();
    return false;
}

void JobList::applyButtonRule(const QListWidgetItem* item) {
    if (!item)
        return;
    disableButton->setEnabled(!isDimmed(item));
    enableButton->setEnabled(isDimmed(item));
}

void JobList::openEditor() {
    JobEditor& editor = windows().jobEditor.get();
    editor.attachJobView(jobView);
    editor.onSaved = [list = QPointer<JobList>(this)](const QString& name) {
        if (list)
            list->showEdited(name);
    };
    toolkit::showOwned(editor, *this);
}

void JobList::showEdited(const QString& savedName) {
    fill();
    for (int row = 0; row < jobView->count(); ++row) {
        if (jobView->item(row)->text().compare(savedName, Qt::CaseInsensitive) == 0) {
            jobView->setCurrentRow(row);
            applyButtonRule(jobView->item(row));
        }
    }
}

void JobList::confirm() {
    reloadJobTable();
    leave();
    // The window in front may be the one a job waits for: it fires at the next poll.
    schedulerControl().forgetForegroundTitle();
}

void JobList::newJob() {
    windows().jobEditor->startNewJob();
    openEditor();
}

void JobList::editJob() {
    QListWidgetItem* item = selectedJobOrSay();
    if (!item || !stillStored(item))
        return;
    windows().jobEditor->startEditing(*readJob(item->text()));
    openEditor();
}

void JobList::disableJob() {
    QListWidgetItem* item = selectedJobOrSay();
    if (!item || !stillStored(item))
        return;
    setDimmed(item, true);
    setJobEnabled(item->text(), false);
    reloadJobTable();
}

void JobList::enableJob() {
    QListWidgetItem* item = selectedJobOrSay();
    if (!item || !stillStored(item))
        return;
    setDimmed(item, false);
    setJobEnabled(item->text(), true);
    reloadJobTable();
}

void JobList::deleteJob() {
    QListWidgetItem* item = selectedJobOrSay();
    if (!item)
        return;
    const auto answer = platform::dialogs().message(
        QStringLiteral("Are you sure to delete this Job ?"), platform::MsgButtons::YesNo,
        platform::MsgIcon::Question, kTitle, this);
    if (answer == platform::MsgAnswer::No)
        return;
    // The name first: the row is gone once removed. The table follows at once, so a deleted
    // job captures no more.
    const QString name = item->text();
    delete jobView->takeItem(jobView->row(item));
    removeJob(name);
    reloadJobTable();
}

void JobList::updateJobsMenu() {
    const QListWidgetItem* item = selectedJob();
    newJobItem->setEnabled(true);
    deleteItem->setEnabled(item != nullptr);
    editItem->setEnabled(item != nullptr);
    disableItem->setEnabled(item && !isDimmed(item));
    enableItem->setEnabled(item && isDimmed(item));
}

void JobList::popUpJobsMenu(const QPoint& globalPos) {
    const JobEditor* editor = windows().jobEditor.peek();
    if (editor && editor->isVisible())
        return;
    updateJobsMenu();
    jobsMenu->popup(globalPos);
}

void JobList::leave() {
    if (JobEditor* editor = windows().jobEditor.peek())
        editor->hide();
    windows().jobList.drop();
}

void JobList::closeEvent(QCloseEvent* event) {
    // Closed by its box: the table stays as it is, and the title in front stays remembered.
    event->accept();
    leave();
}

void JobList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete)
        deleteJob();
    else
        QWidget::keyPressEvent(event);
}

bool JobList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == jobView && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteJob();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void JobList::showEvent(QShowEvent* event) {
    okButton->setDefault(true);
    QWidget::showEvent(event);
}

}  // namespace qv::autocapture
