#pragma once

#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <memory>

namespace qv::picmenu {

// Puts a style of its own in front of one popup's style, so that the style answers the popup's
// measuring and painting requests; unhooking puts the style that was there before back, and the
// popup then draws exactly as it did. Destroying a hook unhooks it.
class MenuEventHook {
public:
    MenuEventHook() = default;
    ~MenuEventHook() { unhook(); }
    MenuEventHook(const MenuEventHook&) = delete;
    MenuEventHook& operator=(const MenuEventHook&) = delete;

    // Hooks menu with style (unhooking any earlier popup first). The hook owns style.
    void hook(QMenu* menu, std::unique_ptr<QStyle> style);
    // Gives the popup its previous style back; a hook that is not installed does nothing.
    void unhook();

    bool isHooked() const { return style_ != nullptr; }
    QMenu* menu() const { return menu_; }
    QStyle* style() const { return style_.get(); }

private:
    QPointer<QMenu> menu_;
    // The popup's own style before the hook; null when it followed the application's style.
    QPointer<QStyle> previous_;
    bool hadOwnStyle_ = false;
    std::unique_ptr<QStyle> style_;
};

// A new instance of the style a widget draws with now, for a proxy to own as its base: a proxy
// takes ownership of its base, and the application's own style must stay the application's.
std::unique_ptr<QStyle> copyOfStyle(const QWidget& widget);

}  // namespace qv::picmenu
