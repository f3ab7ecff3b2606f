#include "output/namedsave.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

#include "capture/capturestate.h"
#include "capture/shellcontrol.h"
#include "options/filenamerule.h"
#include "options/settings.h"
#include "options/state.h"
#include "output/savecommands.h"
#include "output/saveformat.h"
#include "platform/services.h"
#include "toolkit/ownedwindow.h"

namespace qv::output {

namespace {

void refuse(const QString& text, const QString& title) {
    platform::dialogs().message(text, platform::MsgButtons::Ok, platform::MsgIcon::Critical, title);
}

class ReturnPresses : public QObject {
public:
    ReturnPresses(QComboBox& formats, QPushButton& ok) : QObject(&formats), ok_(ok) {
        formats.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        ok_.click();
        return true;
    }

private:
    QPushButton& ok_;
};

}  // namespace

void pressOnReturn(QComboBox& formats, QPushButton& ok) {
    new ReturnPresses(formats, ok);
}

bool fileNameAccepted(const QString& name) {
    const QString refusal = options::fileNameRefusal(name, options::NameEnding::Extension);
    if (!refusal.isEmpty()) {
        refuse(refusal, QStringLiteral("Quorvalline"));
        return false;
    }
    if (name.isEmpty()) {
        refuse(QStringLiteral("Invalid Filename"), QStringLiteral(" Quorvalline "));
        return false;
    }
    return true;
}

std::optional<QString> saveIntoDefaultFolder(const QString& name, const QString& extension) {
    const SaveFormat& format = saveFormatFor(extension);
    const QString folder = options::state().settings.saveFolder;
    if (const auto problem = defaultFolderProblem(folder)) {
        showSaveError(*problem);
        return std::nullopt;
    }
    const QString target = QDir(folder).filePath(name + format.extension);
    if (!overwriteAllowed(target))
        return std::nullopt;
    if (const auto error = saveCapture(target, format)) {
        showSaveError(*error);
        return std::nullopt;
    }
    return QFileInfo(target).absoluteFilePath();
}

void showOverFrozenScreen(QWidget& window) {
    toolkit::showOwned(window, capture::shellControl().frozenScreen());
    // The activation has to have run when this returns, as the window system may be late.
    QApplication::setActiveWindow(&window);
}

void holdFrozenScreenForDialog() {
    auto& captureState = capture::state();
    captureState.freeze.dialogOpen = true;
    captureState.freeze.pendingScreen = false;
    captureState.freeze.pendingWindow = false;
}

}  // namespace qv::output
