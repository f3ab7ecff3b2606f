#pragma once

#include <QObject>
#include <QPointer>
#include <utility>
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

    // Shows a window of ours in front and gives it the keys, also one that is open already:
    // that one does not open again, so over the frozen screen it is lifted into its layer here.
    static void bringForward(QWidget& window);
    // Lifts a window of ours that is open already into the layer above the frozen screen.
    void liftOpenWindow(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The windows a frozen screen leaves alone: itself, menus, tooltips and the like.
    bool concerns(const QWidget& window) const;
    // A dialog of ours that closes gives the keys back to the window of ours that had them
    // when it opened.
    void rememberActiveWindow(const QWidget& shown);
    void giveBackTheKeys(const QWidget& hidden);
    void keepAbove(QWidget& window);
    void letGo();

    QWidget& frozenScreen_;
    std::vector<QPointer<QWidget>> kept_;
    // Each window shown, with the one that was active then.
    std::vector<std::pair<QPointer<const QWidget>, QPointer<QWidget>>> activeBefore_;
};

}  // namespace qv::shell
