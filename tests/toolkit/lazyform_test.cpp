#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include "toolkit/lazyform.h"

namespace qv::toolkit {
namespace {

int loads = 0;

class CountingForm : public QWidget {
public:
    CountingForm() { ++loads; }
};

TEST(LazyForm, CreatesOnFirstUseAndAgainAfterADropEvenFromItsOwnHandler) {
    loads = 0;
    LazyForm<CountingForm> form;
    EXPECT_EQ(form.peek(), nullptr);
    form->show();
    EXPECT_EQ(&form.get(), form.peek());
    EXPECT_EQ(loads, 1);

    // A handler of the form drops it and then still touches it.
    QPointer<CountingForm> first = &form.get();
    form.drop();
    EXPECT_FALSE(first->isVisible());
    first->setWindowTitle("still here");
    ASSERT_FALSE(first.isNull()) << "a dropped form lives until the event loop runs";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    form.drop();  // dropping an unloaded form does nothing

    form.get();
    EXPECT_EQ(loads, 2);
}

// Windows whose load reads another window that reads them back.
class SelfReachingForm : public QWidget {
public:
    static LazyForm<SelfReachingForm>* accessor;
    void load() { reached = &accessor->get(); }
    SelfReachingForm* reached = nullptr;
};
LazyForm<SelfReachingForm>* SelfReachingForm::accessor = nullptr;

TEST(LazyForm, LoadRunsOnceTheFormCanBeFound) {
    LazyForm<SelfReachingForm> form;
    SelfReachingForm::accessor = &form;
    SelfReachingForm& f = form.get();
    EXPECT_EQ(f.reached, &f);
}

}  // namespace
}  // namespace qv::toolkit
