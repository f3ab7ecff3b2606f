#include "shell/infodialog.h"

#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>

#include "capture/capturestate.h"
#include "platform/services.h"
#include "shell/cursors.h"
#include "shell/pointerevents.h"
#include "shell/windowdesign.h"
#include "shell/windows.h"
#include "toolkit/colors.h"

namespace qv::shell {

const QString InfoDialog::kWebSite = QStringLiteral("https://www.quorvalline.example");
const QString InfoDialog::kSupportAddress = QStringLiteral("support@quorvalline.example");

InfoDialog::InfoDialog() {
    loadResources();
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(twipsRect(0, 0, 5880, 3615).size());

    background = new QLabel(this);
    background->setGeometry(rect());
    background->setPixmap(QIcon(QStringLiteral(":/shell/info.svg")).pixmap(size()));
    new PointerEvents(background, [this] { resetLinkColors(); });
    // On a scaled display the last device row and column round past the picture's logical
    // edge, and the pointer there reaches the window itself.
    new PointerEvents(this, [this] { resetLinkColors(); });

    border = new QFrame(background);
    // The border keeps a margin on the right as on the left.
    const QRect framed = twipsRect(240, 240, 5655, 2895);
    border->setGeometry(framed.intersected(rect().adjusted(0, 0, -framed.left(), 0)));
    border->setStyleSheet(QStringLiteral("border: 1px solid %1; background: transparent;")
                              .arg(toolkit::colorFromValue(kLinkBlue).name()));
    // The frame is drawn on the picture: the pointer moving inside it is over the picture.
    border->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto label = [this](const QString& text, double points, QRect where, qint64 color) {
        auto* l = new QLabel(text, background);
        l->setFont(boldArial(points));
        l->setGeometry(where);
        l->setAlignment(Qt::AlignCenter);
        setTextColor(l, color);
        return l;
    };
    versionLabel = label(QStringLiteral("Quorvalline Version 8.0"), 12,
                         twipsRect(600, 2040, 4935, 375), kLinkBlue);
    webSiteLink = label(QStringLiteral("www.quorvalline.example"), 12,
                        twipsRect(1800, 1080, 2535, 375), kLinkBlue);
    supportLink = label(kSupportAddress, 12, twipsRect(1320, 1440, 3375, 375), kLinkBlue);
    closeLink = label(QStringLiteral("Close"), 14.25, twipsRect(4560, 3240, 855, 375), kLabelWhite);
    for (QLabel* l : {versionLabel, webSiteLink, supportLink, closeLink})
        fitText(l);
    // The version is written on the picture and reacts as the picture does.
    versionLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    new PointerEvents(
        webSiteLink, [this] { highlightWebSite(); }, [this] { openWebSite(); });
    new PointerEvents(
        supportLink, [this] { highlightSupport(); }, [this] { mailSupport(); });
    new PointerEvents(
        closeLink, [this] { highlightClose(); }, [this] { closeFromLink(); });
}

void InfoDialog::highlightWebSite() {
    webSiteLink->setCursor(cursors::link());
    setTextColor(webSiteLink, kLinkHover);
    setTextColor(supportLink, kLinkBlue);
}

void InfoDialog::highlightSupport() {
    supportLink->setCursor(cursors::link());
    setTextColor(supportLink, kLinkHover);
    setTextColor(webSiteLink, kLinkBlue);
}

void InfoDialog::highlightClose() {
    closeLink->setCursor(cursors::link());
    setTextColor(closeLink, kLabelHover);
}

void InfoDialog::resetLinkColors() {
    setTextColor(supportLink, kLinkBlue);
    setTextColor(webSiteLink, kLinkBlue);
    setTextColor(closeLink, kLabelGrey);
}

void InfoDialog::openWebSite() {
    platform::shell().open(kWebSite);
}

void InfoDialog::mailSupport() {
    platform::shell().open(QStringLiteral("mailto:") + kSupportAddress);
}

void InfoDialog::closeFromLink() {
    setTextColor(supportLink, kLinkBlue);
    setTextColor(webSiteLink, kLinkBlue);
    setTextColor(closeLink, kLabelGrey);
    hide();
    capture::state().freeze.dialogOpen = false;
}

void InfoDialog::closeEvent(QCloseEvent* event) {
    // Closed from its title bar the dialog is thrown away; the next "Info..." builds it afresh.
    capture::state().freeze.dialogOpen = false;
    event->accept();
    shell::windows().infoDialog.drop();
}

}  // namespace qv::shell
