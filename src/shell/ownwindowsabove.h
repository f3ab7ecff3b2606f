#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QWidget;

namespace qv::shell {

// While the frozen screen shows, keeps every other window of ours that opens, or that the user
// activates, in the layer above it: the frozen screen keeps above all ordinary windows, and a
// window of ours behind it would take the keys unseen. Once the frozen screen hides, the
// windows go back to the ordinary layer. Lives as long as the frozen screen.
class OwnWindowsAbove : public QObject {
public:
    explicit OwnWindowsAbove(QWidget& frozenScreen);
    ~OwnWindowsAbove() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The windows a frozen screen leaves alone: itself, menus, tooltips and the like.
    bool concerns(const QWidget& window) const;
    void keepAbove(QWidget& window);
    void letGo();

    QWidget& frozenScreen_;
    std::vector<QPointer<QWidget>> kept_;
};

}  // namespace qv::shell
