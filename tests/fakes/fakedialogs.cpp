#include "fakes/fakedialogs.h"

namespace qv::fakes {

using namespace platform;

namespace {

template <class T>
std::optional<T> take(std::deque<std::optional<T>>& queue) {
    if (queue.empty())
        return std::nullopt;
    std::optional<T> v;
    if (queue.front())
        v.emplace(std::move(*queue.front()));
    queue.pop_front();
    return v;
}

MsgAnswer firstButton(MsgButtons b) {
    switch (b) {
        case MsgButtons::Ok:
        case MsgButtons::OkCancel:
            return MsgAnswer::Ok;
        case MsgButtons::AbortRetryIgnore:
            return MsgAnswer::Abort;
        case MsgButtons::YesNoCancel:
        case MsgButtons::YesNo:
            return MsgAnswer::Yes;
        case MsgButtons::RetryCancel:
            return MsgAnswer::Retry;
    }
    return MsgAnswer::Ok;
}

}  // namespace

MsgAnswer FakeDialogs::message(const QString& text, MsgButtons buttons, MsgIcon icon,
                               const QString& title, QWidget*) {
    messages.push_back({text, buttons, icon, title});
    if (whileMessageOpen) {
        const OpenDialog open;
        whileMessageOpen();
    }
    if (answers.empty())
        return firstButton(buttons);
    const MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> FakeDialogs::nextPath() {
    return take(paths);
}

std::optional<QString> FakeDialogs::openFile(const FileDialogRequest& r, QWidget*) {
    fileRequests.push_back(r);
    return nextPath();
}

std::optional<QString> FakeDialogs::saveFile(const FileDialogRequest& r, QWidget*) {
    fileRequests.push_back(r);
    return nextPath();
}

std::optional<ChosenFile> FakeDialogs::saveFileWithFilter(const FileDialogRequest& r,
                                                          const QString& selectedFilter, QWidget*) {
    fileRequests.push_back(r);
    preselectedFilters.push_back(selectedFilter);
    QString filter = selectedFilter;
    if (!filters.empty()) {
        filter = filters.front();
        filters.pop_front();
    }
    const auto path = nextPath();
    if (!path)
        return std::nullopt;
    return ChosenFile{*path, filter};
}

std::optional<QString> FakeDialogs::chooseFolder(const QString& title, const QString& start,
                                                 QWidget*) {
    fileRequests.push_back({title, start, {}, {}});
    return nextPath();
}

std::optional<QColor> FakeDialogs::chooseColor(const QColor& initial, QWidget*) {
    colorRequests.push_back(initial);
    return take(colors);
}

std::optional<platform::FontChoice> FakeDialogs::chooseFont(const platform::FontChoice& initial,
                                                            QWidget*) {
    fontRequests.push_back(initial);
    return take(fonts);
}

}  // namespace qv::fakes
