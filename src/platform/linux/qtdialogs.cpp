#include "platform/linux/qtdialogs.h"

#include "platform/linux/fontcolordialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
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

// The width a window manager's title bar needs to show a title whole: the title in a bold face
// of the desktop's font, beside the window's icon and three frame buttons about as wide as the
// bar is high, with padding. (Openbox's usual theme needs 192 pixels for " Quorvalline " in
// its 8-point bold face; this gives a little more.)
int titleBarWidth(const QString& title) {
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int button = metrics.height() + 12;
    return metrics.horizontalAdvance(title) + 4 * button + 16;
}

// A message box sizes itself to its text and buttons; a short message would leave its title
// cut. A spacer across the box's layout keeps it at least as wide as its title bar needs.
void makeRoomForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QMargins frame = grid->contentsMargins();
    const int inside = titleBarWidth(box.windowTitle()) - frame.left() - frame.right();
    grid->addItem(new QSpacerItem(inside, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
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
    makeRoomForTitle(box);
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
    // A file type shows by its caption alone, as its patterns would crowd out the line.
    return nonEmpty(QFileDialog::getOpenFileName(owner, r.title, startPath(r), r.filter, nullptr,
                                                 QFileDialog::HideNameFilterDetails));
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
