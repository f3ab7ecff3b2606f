#include "platform/linux/qtdialogs.h"

#include "platform/linux/fontcolordialog.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <utility>
#include <vector>

namespace qv::platform {

namespace {

QMessageBox::Icon toQt(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

std::vector<std::pair<QMessageBox::StandardButton, MsgAnswer>> buttonsOf(MsgButtons buttons) {
    using B = QMessageBox;
    switch (buttons) {
        case MsgButtons::Ok:
            return {{B::Ok, MsgAnswer::Ok}};
        case MsgButtons::OkCancel:
            return {{B::Ok, MsgAnswer::Ok}, {B::Cancel, MsgAnswer::Cancel}};
        case MsgButtons::AbortRetryIgnore:
            return {{B::Abort, MsgAnswer::Abort},
                    {B::Retry, MsgAnswer::Retry},
                    {B::Ignore, MsgAnswer::Ignore}};
        case MsgButtons::YesNoCancel:
            return {
                {B::Yes, MsgAnswer::Yes}, {B::No, MsgAnswer::No}, {B::Cancel, MsgAnswer::Cancel}};
        case MsgButtons::YesNo:
            return {{B::Yes, MsgAnswer::Yes}, {B::No, MsgAnswer::No}};
        case MsgButtons::RetryCancel:
            return {{B::Retry, MsgAnswer::Retry}, {B::Cancel, MsgAnswer::Cancel}};
    }
    return {{B::Ok, MsgAnswer::Ok}};
}

std::optional<QString> nonEmpty(const QString& s) {
    if (s.isEmpty())
        return std::nullopt;
    return s;
}

QString startPath(const FileDialogRequest& r) {
    if (r.fileName.isEmpty())
        return r.directory;
    return r.directory.isEmpty() ? r.fileName : QDir(r.directory).filePath(r.fileName);
}

}  // namespace

MsgAnswer QtDialogs::message(const QString& text, MsgButtons buttons, MsgIcon icon,
                             const QString& title, QWidget* owner) {
    QMessageBox box(toQt(icon), title, text, QMessageBox::NoButton, owner);
    const auto mapping = buttonsOf(buttons);
    QMessageBox::StandardButtons set;
    for (const auto& [qt, answer] : mapping)
        set |= qt;
    box.setStandardButtons(set);
    box.setDefaultButton(mapping.front().first);
    // Messages must be seen even when another program has the focus.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const OpenDialog open;
    const int chosen = box.exec();
    for (const auto& [qt, answer] : mapping) {
        if (chosen == qt)
            return answer;
    }
    // Closed from its title bar: the answer a cancel button would give.
    return mapping.size() > 1 ? mapping.back().second : mapping.front().second;
}

std::optional<QString> QtDialogs::openFile(const FileDialogRequest& r, QWidget* owner) {
    const OpenDialog open;
    return nonEmpty(QFileDialog::getOpenFileName(owner, r.title, startPath(r), r.filter));
}

std::optional<QString> QtDialogs::saveFile(const FileDialogRequest& r, QWidget* owner) {
    const OpenDialog open;
    // Overwriting is the caller's question to ask: it knows the numbered-name rules.
    return nonEmpty(QFileDialog::getSaveFileName(owner, r.title, startPath(r), r.filter, nullptr,
                                                 QFileDialog::DontConfirmOverwrite));
}

std::optional<ChosenFile> QtDialogs::saveFileWithFilter(const FileDialogRequest& r,
                                                        const QString& selectedFilter,
                                                        QWidget* owner) {
    QString filter = selectedFilter;
    const OpenDialog open;
    const QString path = QFileDialog::getSaveFileName(owner, r.title, startPath(r), r.filter,
                                                      &filter, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    return ChosenFile{path, filter};
}

std::optional<QString> QtDialogs::chooseFolder(const QString& title, const QString& start,
                                               QWidget* owner) {
    const OpenDialog open;
    return nonEmpty(QFileDialog::getExistingDirectory(owner, title, start));
}

std::optional<QColor> QtDialogs::chooseColor(const QColor& initial, QWidget* owner) {
    const OpenDialog open;
    const QColor c = QColorDialog::getColor(initial, owner);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

std::optional<FontChoice> QtDialogs::chooseFont(const FontChoice& initial, QWidget* owner) {
    const OpenDialog open;
    FontColorDialog dialog(initial, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

}  // namespace qv::platform
