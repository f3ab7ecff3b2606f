#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>

#include "fakes/fakeprogram.h"
#include "shell/formkit.h"
#include "shell/forms.h"

namespace qv::shell {
namespace {

class Info : public fakes::ProgramTest {
protected:
    Form12& info = prog.shellForms().form12.get();

    void send(QWidget* widget, QEvent::Type type) {
        QMouseEvent event(type, QPointF(1, 1), widget->mapToGlobal(QPointF(1, 1)), Qt::LeftButton,
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    }
};

TEST_F(Info, TheLinkUnderThePointerLightsUp) {
    send(info.Label2, QEvent::MouseMove);
    EXPECT_EQ(foreColor(info.Label2), kLabelHover);
    EXPECT_EQ(foreColor(info.Label1), kLinkBlue);
    send(info.Label1, QEvent::MouseMove);
    EXPECT_EQ(foreColor(info.Label1), kLabelHover);
    EXPECT_EQ(foreColor(info.Label2), kLinkBlue);
    send(info.Label5, QEvent::MouseMove);
    EXPECT_EQ(foreColor(info.Label5), kLabelHover);
    send(info.Picture1, QEvent::MouseMove);
    EXPECT_EQ(foreColor(info.Label1), kLinkBlue);
    EXPECT_EQ(foreColor(info.Label2), kLinkBlue);
    EXPECT_EQ(foreColor(info.Label5), kLabelGrey);
}

TEST_F(Info, LinksOpenTheWebSiteAndAnEmail) {
    send(info.Label2, QEvent::MouseButtonRelease);
    send(info.Label1, QEvent::MouseButtonRelease);
    ASSERT_EQ(fake.shell().opened.size(), 2u);
    EXPECT_EQ(fake.shell().opened[0], Form12::kWebSite);
    EXPECT_EQ(fake.shell().opened[1], "mailto:" + Form12::kSupportAddress);
    EXPECT_TRUE(Form12::kWebSite.contains(".example"));
    EXPECT_TRUE(Form12::kSupportAddress.endsWith(".example"));
}

TEST_F(Info, CloseHidesAndClearsTheDialogFlag) {
    info.show();
    prog.shell.dialogopen = true;
    send(info.Label5, QEvent::MouseMove);
    send(info.Label5, QEvent::MouseButtonRelease);
    EXPECT_FALSE(info.isVisible());
    EXPECT_FALSE(prog.shell.dialogopen);
    EXPECT_EQ(foreColor(info.Label5), kLabelGrey);
    EXPECT_TRUE(prog.shellForms().form12.isLoaded()) << "it stays loaded";
}

}  // namespace
}  // namespace qv::shell
