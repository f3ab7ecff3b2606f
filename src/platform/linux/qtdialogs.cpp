#include "platform/linux/qtdialogs.h"

#include "platform/linux/fontcolordialog.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QTextBoundaryFinder>
#include <algorithm>
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

// A break opportunity that shows nothing.
constexpr QChar kBreak(0x200B);

// Where a message box opens: over its owner, else on the screen under the pointer.
const QScreen* screenFor(const QWidget* owner) {
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::screenAt(QCursor::pos());
    return screen ? screen : QGuiApplication::primaryScreen();
}

// A label wraps only where the text allows a line break. A word wider than the box may be (a
// long path or file name) is cut at the box's right edge, and the box grows to the whole
// screen, its frame past it, to hold it. Such a run gets a break opportunity, a zero-width
// space, wherever it passes widest; other text stays as it is.
QString breakLongRuns(const QString& text, const QFontMetrics& metrics, int widest) {
    QTextBoundaryFinder lines(QTextBoundaryFinder::Line, text);
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    QString shown;
    shown.reserve(text.size());
    int run = 0;
    qsizetype from = 0;
    for (qsizetype to = graphemes.toNextBoundary(); to > from; to = graphemes.toNextBoundary()) {
        const QString character = text.sliced(from, to - from);
        lines.setPosition(from);
        if (lines.isAtBoundary())
            run = 0;
        const int width = metrics.horizontalAdvance(character);
        if (run > 0 && run + width > widest) {
            shown += kBreak;
            run = 0;
        }
        run += width;
        shown += character;
        from = to;
    }
    return shown;
}

// A message box whose text may carry break opportunities of ours. What the user selects and
// copies of it reaches the clipboard without them, as the text was meant: a path copied from
// the box must name the file.
class MessageBox : public QMessageBox {
public:
    MessageBox(Icon icon, const QString& title, const QString& text, QWidget* owner)
        : QMessageBox(icon, title, text, NoButton, owner) {
        auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        const QFontMetrics metrics = label ? label->fontMetrics() : fontMetrics();
        // Half the screen: as wide as a box that must wrap its text grows by itself.
        const int widest = std::min(screenFor(owner)->availableGeometry().width() / 2, 480);
        const QString shown = breakLongRuns(text, metrics, widest);
        if (shown == text)
            return;
        setText(shown);
        connect(QGuiApplication::clipboard(), &QClipboard::changed, this,
                [text](QClipboard::Mode mode) {
                    QClipboard* clipboard = QGuiApplication::clipboard();
                    QString copied = clipboard->text(mode);
                    if (!copied.contains(kBreak))
                        return;
                    copied.remove(kBreak);
                    if (text.contains(copied))
                        clipboard->setText(copied, mode);
                });
    }
};

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
    MessageBox box(toQt(icon), title, text, owner);
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
