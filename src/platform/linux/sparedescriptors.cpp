#include "platform/linux/sparedescriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <QEvent>
#include <QThread>
#include <algorithm>
#include <utility>

namespace qv::platform {

SpareDescriptors::SpareDescriptors() {
    fds_.fill(-1);
    take();
}

SpareDescriptors::~SpareDescriptors() {
    release();
}

int SpareDescriptors::held() const {
    return int(std::count_if(fds_.begin(), fds_.end(), [](int fd) { return fd >= 0; }));
}

void SpareDescriptors::take() {
    for (int& fd : fds_) {
        if (fd < 0 && (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) < 0)
            return;
    }
}

void SpareDescriptors::release() {
    for (int& fd : fds_) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

SpareDescriptors::Lent::Lent(SpareDescriptors& spare) : spare_(spare) {
    if (spare_.lent_++ == 0)
        spare_.release();
}

SpareDescriptors::Lent::~Lent() {
    if (--spare_.lent_ == 0)
        spare_.take();
}

ApplicationWithSpareDescriptors::ApplicationWithSpareDescriptors(int& argc, char** argv,
                                                                 SpareDescriptors& spare)
    : QApplication(argc, argv), spare_(spare) {}

bool ApplicationWithSpareDescriptors::notify(QObject* receiver, QEvent* event) {
    // The events on which Qt draws a window: shown or uncovered, and updated.
    const bool draws = event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest;
    if (!draws || QThread::currentThread() != thread())
        return QApplication::notify(receiver, event);
    const SpareDescriptors::Lent lent(spare_);
    return QApplication::notify(receiver, event);
}

DialogsWithSpareDescriptors::DialogsWithSpareDescriptors(std::unique_ptr<Dialogs> inner,
                                                         SpareDescriptors& spare)
    : inner_(std::move(inner)), spare_(spare) {}

MsgAnswer DialogsWithSpareDescriptors::message(const QString& text, MsgButtons buttons,
                                               MsgIcon icon, const QString& title, QWidget* owner) {
    const SpareDescriptors::Lent lent(spare_);
    return inner_->message(text, buttons, icon, title, owner);
}

std::optional<QString> DialogsWithSpareDescriptors::openFile(const FileDialogRequest& request,
                                                             QWidget* owner) {
    const SpareDescriptors::Lent lent(spare_);
    return inner_->openFile(request, owner);
}

std::optional<QString> DialogsWithSpareDescriptors::saveFile(const FileDialogRequest& request,
                                                             QWidget* owner) {
    const SpareDescriptors::Lent lent(spare_);
    return inner_->saveFile(request, owner);
}

std::optional<ChosenFile> DialogsWithSpareDescriptors::saveFileWithFilter(
    const FileDialogRequest& request, const QString& selectedFilter, QWidget* owner) {
    const SpareDescriptors::Lent lent(spare_);
    return inner_->saveFileWithFilter(request, selectedFilter, owner);
}

std::optional<QString> DialogsWithSpareDescriptors::chooseFolder(const QString& title,
                                                                 const QString& start,
                                                                 QWidget* owner) {
    const SpareDescriptors::Lent lent(spare_);
    return inner_->chooseFolder(title, start, owner);
}

std::optional<QColor> DialogsWithSpareDescriptors::chooseColor(const QColor& initial,
                                                               QWidget* owner) {
    const SpareDescriptors::Lent lent(spare_);
    return inner_->chooseColor(initial, owner);
}

std::optional<FontChoice> DialogsWithSpareDescriptors::chooseFont(const FontChoice& initial,
                                                                  QWidget* owner) {
    const SpareDescriptors::Lent lent(spare_);
    return inner_->chooseFont(initial, owner);
}

}  // namespace qv::platform
