#pragma once

#include "platform/dialogs.h"

namespace qv::platform {

// The dialogs of Qt Widgets.
class QtDialogs : public Dialogs {
public:
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
};

}  // namespace qv::platform
