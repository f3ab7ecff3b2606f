#pragma once

#include <QApplication>
#include <array>
#include <memory>

#include "platform/dialogs.h"

namespace qv::platform {

// A few file descriptors held back for the moments when every other one is taken and the
// program must still show the user why. A window needs descriptors to be drawn: the X server
// hands its shared memory over as one, and a client that cannot take it waits for it for good,
// its windows (a frozen screen among them) left standing; the first box also keeps one for the
// icon theme. Lent out while a dialog is open or a window is drawn, taken back after.
class SpareDescriptors {
public:
    static constexpr int kCount = 4;

    SpareDescriptors();
    ~SpareDescriptors();
    SpareDescriptors(const SpareDescriptors&) = delete;
    SpareDescriptors& operator=(const SpareDescriptors&) = delete;

    // The descriptors free for whatever needs them while this lives.
    class Lent {
    public:
        explicit Lent(SpareDescriptors& spare);
        ~Lent();
        Lent(const Lent&) = delete;
        Lent& operator=(const Lent&) = delete;

    private:
        SpareDescriptors& spare_;
    };

    // None while lent out; fewer than kCount when not all could be taken back, the rest
    // taken at the next return.
    int held() const;

private:
    void take();
    void release();

    std::array<int, kCount> fds_;
    // Lent out to dialogs still open: a box over a dialog keeps them free for both, and so does
    // the drawing of a window while a box is open.
    int lent_ = 0;
};

// The application of a program whose windows are drawn with the spare descriptors free: Qt
// makes a window's shared memory when it first draws it, or draws it bigger (a frozen screen
// shown at the limit of open files would otherwise hang over the desktop).
class ApplicationWithSpareDescriptors : public QApplication {
public:
    ApplicationWithSpareDescriptors(int& argc, char** argv, SpareDescriptors& spare);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    SpareDescriptors& spare_;
};

// The dialogs of `inner`, each shown with the spare descriptors free for it.
class DialogsWithSpareDescriptors : public Dialogs {
public:
    DialogsWithSpareDescriptors(std::unique_ptr<Dialogs> inner, SpareDescriptors& spare);

    MsgAnswer message(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                      QWidget* owner) override;
    std::optional<QString> openFile(const FileDialogRequest& request, QWidget* owner) override;
    std::optional<QString> saveFile(const FileDialogRequest& request, QWidget* owner) override;
    std::optional<ChosenFile> saveFileWithFilter(const FileDialogRequest& request,
                                                 const QString& selectedFilter,
                                                 QWidget* owner) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& start,
                                        QWidget* owner) override;
    std::optional<QColor> chooseColor(const QColor& initial, QWidget* owner) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial, QWidget* owner) override;

private:
    std::unique_ptr<Dialogs> inner_;
    SpareDescriptors& spare_;
};

}  // namespace qv::platform
