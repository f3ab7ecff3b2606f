#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include "toolkit/lazywindow.h"

namespace qv::toolkit {
namespace {

int loads = 0;

class CountingWindow : public QWidget {
public:
    CountingWindow() { ++loads; }
};

TEST(LazyWindow, CreatesOnFirstUseAndAgainAfterADropEvenFromItsOwnHandler) {
    loads = 0;
    LazyWindow<CountingWindow> window;
    EXPECT_EQ(window.peek(), nullptr);
    window->show();
    EXPECT_EQ(&window.get(), window.peek());
    EXPECT_EQ(loads, 1);

    // A handler of the window drops it and then still touches it.
    QPointer<CountingWindow> first = &window.get();
    window.drop();
    EXPECT_FALSE(first->isVisible());
    first->setWindowTitle("still here");
    ASSERT_FALSE(first.isNull()) << "a dropped window lives until the event loop runs";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    window.drop();  // dropping a window that does not exist does nothing

    window.get();
    EXPECT_EQ(loads, 2);
}

// Windows whose load reads another window that reads them back.
class SelfReachingWindow : public QWidget {
public:
    static LazyWindow<SelfReachingWindow>* accessor;
    void load() { reached = &accessor->get(); }
    SelfReachingWindow* reached = nullptr;
};
LazyWindow<SelfReachingWindow>* SelfReachingWindow::accessor = nullptr;

TEST(LazyWindow, LoadRunsOnceTheWindowCanBeFound) {
    LazyWindow<SelfReachingWindow> window;
    SelfReachingWindow::accessor = &window;
    SelfReachingWindow& f = window.get();
    EXPECT_EQ(f.reached, &f);
}

}  // namespace
}  // namespace qv::toolkit
