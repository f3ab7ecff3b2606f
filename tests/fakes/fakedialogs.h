#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/dialogs.h"

namespace qv::fakes {

// Records every dialog the code shows and answers from a script. An unscripted message box
// gets the answer of its first button; an unscripted file, folder, colour or font dialog is
// cancelled.
class FakeDialogs : public platform::Dialogs {
public:
    struct Shown {
        QString text;
        platform::MsgButtons buttons;
        platform::MsgIcon icon;
        QString title;
    };

    platform::MsgAnswer message(const QString& text, platform::MsgButtons buttons,
                                platform::MsgIcon icon, const QString& title,
                                QWidget* owner) override;
    std::optional<QString> openFile(const platform::FileDialogRequest& request,
                                    QWidget* owner) override;
    std::optional<QString> saveFile(const platform::FileDialogRequest& request,
                                    QWidget* owner) override;
    // Answers with the next of paths and of filters; without a scripted filter, the one the
    // request preselects.
    std::optional<platform::ChosenFile> saveFileWithFilter(
        const platform::FileDialogRequest& request, const QString& selectedFilter,
        QWidget* owner) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& start,
                                        QWidget* owner) override;
    std::optional<QColor> chooseColor(const QColor& initial, QWidget* owner) override;
    std::optional<platform::FontChoice> chooseFont(const platform::FontChoice& initial,
                                                   QWidget* owner) override;

    std::vector<Shown> messages;
    std::vector<platform::FileDialogRequest> fileRequests;
    std::deque<platform::MsgAnswer> answers;
    std::deque<std::optional<QString>> paths;  // answers of file and folder dialogs
    std::deque<QString> filters;               // filters chosen in save-file dialogs with a filter
    std::vector<QString> preselectedFilters;
    std::deque<std::optional<QColor>> colors;
    std::vector<QColor> colorRequests;  // the colour each colour dialog opened with
    std::deque<std::optional<platform::FontChoice>> fonts;
    std::vector<platform::FontChoice> fontRequests;  // what each font dialog opened with
    // Runs while each message box is open, as the events a real one's loop would handle.
    std::function<void()> whileMessageOpen;

    // The text of the last message box, or empty when none was shown.
    QString lastText() const { return messages.empty() ? QString() : messages.back().text; }

private:
    std::optional<QString> nextPath();
};

}  // namespace qv::fakes
