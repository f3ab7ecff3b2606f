#include "output/savecommands.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "capture/capturesession.h"
#include "capture/capturestate.h"
#include "capture/shellcontrol.h"
#include "options/filenamerule.h"
#include "options/settings.h"
#include "options/state.h"
#include "output/imagesaver.h"
#include "output/numberedname.h"
#include "output/savingcursor.h"
#include "output/state.h"
#include "output/windows.h"
#include "platform/services.h"

namespace qv::output {

namespace {

const QString kTitle = QStringLiteral(" Quorvalline ");

void showSavingPointer() {
    capture::shellControl().setFrozenScreenPointer(cursors::saving());
}

QString saveAsFilters() {
    QStringList filters;
    for (const SaveFormat& f : saveFormats())
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

std::optional<SaveError> saveCapture(const QString& target, const SaveFormat& format) {
    return saveImage(capture::session().buffer, target, format, output::state().programFolder);
}

void showFrozenScreenOrRelease() {
    if (options::state().settings.releaseAfterCapture)
        capture::shellControl().releaseDesktop();
    else
        capture::shellControl().showFrozenScreenAgain();
}

void restoreAreaPointer() {
    // After a release there is no frozen screen to give it back to, and none is to be built.
    capture::shellControl().restoreAreaPointer();
}

QString saveAsTarget(const QString& chosenPath, const SaveFormat& format) {
    const QFileInfo chosen(chosenPath);
    QString stem = chosen.fileName();
    const qsizetype dot = stem.lastIndexOf(u'.');
    if (dot > 0)
        stem.truncate(dot);
    return QDir(chosen.path()).filePath(stem + u'.' + format.appendedExtension);
}

const SaveFormat& saveFormatForFilter(const QString& filter) {
    // File dialogs may hand the filter back with its runs of blanks made single.
    for (const SaveFormat& f : saveFormats()) {
        if (f.qtFilter().simplified() == filter.simplified())
            return f;
    }
    return saveFormats()[0];
}

void saveToDefaultFolder() {
    const options::Settings& settings = options::state().settings;
    if (settings.naming == options::SaveNaming::Prompt) {
        output::windows().saveDialog->showOverFrozenScreen();
        return;
    }

    const SaveFormat& format = saveFormatFor(options::extensionOf(settings.format));
    const QString folder = settings.saveFolder;
    showSavingPointer();
    std::optional<SaveError> error = defaultFolderProblem(folder);
    if (!error) {
        const auto target = firstFreeNumberedName(folder, settings.fileNamePrefix,
                                                  settings.fileNamePrefix, format.extension);
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

    capture::state().freeze.dialogOpen = false;
    capture::shellControl().hideMainWindow();
    showFrozenScreenOrRelease();
    restoreAreaPointer();
}

void saveAs() {
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Save File As");
    request.directory = options::state().settings.saveFolder;
    request.filter = saveAsFilters();
    // The bitmap row is chosen at every opening.
    const auto chosen = platform::dialogs().saveFileWithFilter(
        request, saveFormats()[0].qtFilter(), capture::shellControl().frozenScreenIfExists());
    if (!chosen)
        return;

    const SaveFormat& format = saveFormatForFilter(chosen->filter);
    const QString target = saveAsTarget(chosen->path, format);
    // The system's dialog takes a name of any length: one that no file can have is told as the
    // save dialog tells it, not as a failed write.
    const QString tooLong = options::tooLongRefusal(QFileInfo(target).completeBaseName(),
                                                    options::NameEnding::Extension);
    if (!tooLong.isEmpty()) {
        platform::dialogs().message(tooLong, platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                                    kTitle);
        return;
    }
    if (!overwriteAllowed(target))
        return;
    if (const auto error = saveCapture(target, format)) {
        showSaveError(*error);
        return;
    }
    if (options::state().settings.releaseAfterCapture)
        capture::shellControl().releaseDesktop();
}

}  // namespace qv::output
