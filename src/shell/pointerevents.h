#pragma once

#include <QObject>
#include <functional>

class QEvent;
class QWidget;

namespace qv::shell {

// Delivers a widget's pointer movement and left clicks to handlers, the way a picture
// window's labels report them. Lives as long as the widget.
class PointerEvents : public QObject {
public:
    PointerEvents(QWidget* widget, std::function<void()> onMove,
                  std::function<void()> onClick = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onMove_;
    std::function<void()> onClick_;
};

}  // namespace qv::shell
