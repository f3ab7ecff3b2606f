#include "output/savecommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>

#include "options/windows.h"
#include "output/windows.h"
#include "output/imagesaver.h"
#include "output/numberedname.h"
#include "platform/services.h"
#include "shell/windows.h"
#include "shell/cursors.h"
#include "shell/program.h"

namespace qv::output {

namespace {

const QString kTitle = QStringLiteral(" Quorvalline ");

void showSavingPointer() {
    auto& forms = program().shellWindows();
    forms.frozenScreen->canvas->setCursor(shell::cursors::saving());
}

QString saveAsFilters() {
    QStringList filters;
    for (const ImageFormat& f : imageFormats())
        filters << f.qtFilter();
    return filters.join(QStringLiteral(";;"));
}

}  // namespace

std::optional<SaveError> defaultFolderProblem(const QString& folder) {
    if (folder.trimmed().isEmpty()) {
        return SaveError{errornumber::PathNotFound,
                         QStringLiteral("No default directory is set in the Options")};
    }
    if (!QFileInfo(folder).isDir()) {
        return SaveError{
            errornumber::PathNotFound,
            QStringLiteral("Path not found: the default directory %1 does not exist").arg(folder)};
    }
    return std::nullopt;
}

bool overwriteAllowed(const QString& target) {
    const QFileInfo info(target);
    // A folder of that name is not replaced by anyone; the write reports it.
    if (info.isDir() || !(info.exists() || info.isSymLink()))
        return true;
    return platform::dialogs().message(
               QStringLiteral("File already exists, do you want to overwrite it ?"),
               platform::MsgButtons::YesNo, platform::MsgIcon::Information,
               kTitle) == platform::MsgAnswer::Yes;
}

std::optional<SaveError> saveCapture(const QString& target, const ImageFormat& format) {
    const QImage& capture = program().capture.buffer;
    return saveImage(capture, target, format, program().shell.programPath);
}

void showFrozenScreenOrRelease() {
    auto& forms = program().shellWindows();
    if (program().options.autoreleasedesktop)
        forms.mainWindow->resetAfterRelease();
    else
        forms.frozenScreen->showActive();
}

void restoreAreaPointer() {
    // After a release there is no frozen screen to give it back to, and none is to be built.
    if (shell::FrozenScreen* frozen = program().shellWindows().frozenScreen.peek())
        frozen->setAreaCursor();
}

QString saveAsTarget(const QString& chosenPath, const ImageFormat& format) {
    const QFileInfo chosen(chosenPath);
    QString stem = chosen.fileName();
    const qsizetype dot = stem.lastIndexOf(u'.');
    if (dot > 0)
        stem.truncate(dot);
    return QDir(chosen.path()).filePath(stem + u'.' + format.appendedExtension);
}

const ImageFormat& imageFormatForFilter(const QString& filter) {
    // File dialogs may hand the filter back with its runs of blanks made single.
    for (const ImageFormat& f : imageFormats()) {
        if (f.qtFilter().simplified() == filter.simplified())
            return f;
    }
    return imageFormats()[0];
}

void saveToDefaultDirectory() {
    auto& optionsDialog = program().optionsWindows().optionsDialog.get();
    if (optionsDialog.Option1->isChecked()) {
        program().outputWindows().saveDialog->showOverFrozenScreen();
        return;
    }
    if (!optionsDialog.Option2->isChecked())
        return;

    const ImageFormat& format = imageFormatFor(optionsDialog.Combo1->currentText());
    const QString folder = optionsDialog.Text1->text();
    showSavingPointer();
    std::optional<SaveError> error = defaultFolderProblem(folder);
    if (!error) {
        const auto target = firstFreeNumberedName(folder, optionsDialog.Text3->text(),
                                                  program().options.savename, format.extension);
        if (target) {
            error = saveCapture(*target, format);
        } else {
            error = SaveError{errornumber::NoFreeName,
                              QStringLiteral("Every numbered file name is taken in %1; nothing "
                                             "was saved")
                                  .arg(folder)};
        }
    }
    if (error) {
        showSaveError(*error);
        restoreAreaPointer();
        return;
    }
    platform::clock().sleep(500);

    program().shell.freeze.dialogOpen = false;
    program().shellWindows().mainWindow->hideToTray();
    showFrozenScreenOrRelease();
    restoreAreaPointer();
}

void saveAs() {
    const auto& optionsDialog = program().optionsWindows().optionsDialog.get();
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Save File As");
    request.directory = optionsDialog.Text1->text();
    request.filter = saveAsFilters();
    // The bitmap row is chosen at every opening.
    const auto chosen = platform::dialogs().saveFileWithFilter(
        request, imageFormats()[0].qtFilter(), program().shellWindows().frozenScreen.peek());
    if (!chosen)
        return;

    const ImageFormat& format = imageFormatForFilter(chosen->filter);
    const QString target = saveAsTarget(chosen->path, format);
    if (!overwriteAllowed(target))
        return;
    if (const auto error = saveCapture(target, format)) {
        showSaveError(*error);
        return;
    }
    if (program().options.autoreleasedesktop)
        program().shellWindows().mainWindow->resetAfterRelease();
}

}  // namespace qv::output
