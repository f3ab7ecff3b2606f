#include "picmenu/menueventhook.h"

#include <QStyleFactory>

namespace qv::picmenu {

void MenuEventHook::hook(QMenu* menu, std::unique_ptr<QStyle> style) {
    unhook();
    if (!menu || !style)
        return;
    menu_ = menu;
    hadOwnStyle_ = menu->testAttribute(Qt::WA_SetStyle);
    previous_ = hadOwnStyle_ ? menu->style() : nullptr;
    style_ = std::move(style);
    menu->setStyle(style_.get());
}

void MenuEventHook::unhook() {
    if (!style_)
        return;
    if (menu_ && menu_->style() == style_.get())
        menu_->setStyle(hadOwnStyle_ ? previous_.data() : nullptr);
    menu_.clear();
    previous_.clear();
    hadOwnStyle_ = false;
    style_.reset();
}

std::unique_ptr<QStyle> copyOfStyle(const QWidget& widget) {
    const QString name = widget.style()->name();
    std::unique_ptr<QStyle> copy(QStyleFactory::create(name));
    if (!copy)
        copy.reset(QStyleFactory::create(QStringLiteral("Fusion")));
    return copy;
}

}  // namespace qv::picmenu
