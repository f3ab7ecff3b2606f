#include "shell/infodialog.h"

#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>

#include "platform/services.h"
#include "shell/formkit.h"
#include "shell/windows.h"
#include "shell/program.h"
#include "toolkit/colors.h"

namespace qv::shell {

const QString InfoDialog::kWebSite = QStringLiteral("https://www.quorvalline.example");
const QString InfoDialog::kSupportAddress = QStringLiteral("support@quorvalline.example");

InfoDialog::InfoDialog() {
    loadResources();
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(twipsRect(0, 0, 5880, 3615).size());

    Picture1 = new QLabel(this);
    Picture1->setGeometry(rect());
    Picture1->setPixmap(QIcon(QStringLiteral(":/shell/info.svg")).pixmap(size()));
    new PointerEvents(Picture1, [this] { Picture1_MouseMove(); });

    Shape1 = new QFrame(Picture1);
    // The frame keeps a margin on the right as on the left.
    const QRect frame = twipsRect(240, 240, 5655, 2895);
    Shape1->setGeometry(frame.intersected(rect().adjusted(0, 0, -frame.left(), 0)));
    Shape1->setStyleSheet(QStringLiteral("border: 1px solid %1; background: transparent;")
                              .arg(toolkit::colorFromValue(kLinkBlue).name()));

    auto label = [this](const QString& text, double points, QRect where, qint64 color) {
        auto* l = new QLabel(text, Picture1);
        l->setFont(boldArial(points));
        l->setGeometry(where);
        l->setAlignment(Qt::AlignCenter);
        setForeColor(l, color);
        return l;
    };
    Label6 = label(QStringLiteral("Quorvalline Version 8.0"), 12, twipsRect(600, 2040, 4935, 375),
                   kLinkBlue);
    Label2 = label(QStringLiteral("www.quorvalline.example"), 12, twipsRect(1800, 1080, 2535, 375),
                   kLinkBlue);
    Label1 = label(kSupportAddress, 12, twipsRect(1320, 1440, 3375, 375), kLinkBlue);
    Label5 = label(QStringLiteral("Close"), 14.25, twipsRect(4560, 3240, 855, 375), kLabelWhite);
    for (QLabel* l : {Label6, Label2, Label1, Label5})
        fitText(l);
    new PointerEvents(
        Label2, [this] { Label2_MouseMove(); }, [this] { Label2_Click(); });
    new PointerEvents(
        Label1, [this] { Label1_MouseMove(); }, [this] { Label1_Click(); });
    new PointerEvents(
        Label5, [this] { Label5_MouseMove(); }, [this] { Label5_Click(); });
}

void InfoDialog::Label2_MouseMove() {
    Label2->setCursor(handCursor());
    setForeColor(Label2, kLabelHover);
    setForeColor(Label1, kLinkBlue);
}

void InfoDialog::Label1_MouseMove() {
    Label1->setCursor(handCursor());
    setForeColor(Label1, kLabelHover);
    setForeColor(Label2, kLinkBlue);
}

void InfoDialog::Label5_MouseMove() {
    Label5->setCursor(handCursor());
    setForeColor(Label5, kLabelHover);
}

void InfoDialog::Picture1_MouseMove() {
    setForeColor(Label1, kLinkBlue);
    setForeColor(Label2, kLinkBlue);
    setForeColor(Label5, kLabelGrey);
}

void InfoDialog::Label2_Click() {
    platform::shell().open(kWebSite);
}

void InfoDialog::Label1_Click() {
    platform::shell().open(QStringLiteral("mailto:") + kSupportAddress);
}

void InfoDialog::Label5_Click() {
    setForeColor(Label1, kLinkBlue);
    setForeColor(Label2, kLinkBlue);
    setForeColor(Label5, kLabelGrey);
    hide();
    program().shell.dialogopen = false;
}

void InfoDialog::closeEvent(QCloseEvent* event) {
    // Closed from its title bar the dialog unloads; the next "Info..." builds it afresh.
    program().shell.dialogopen = false;
    event->accept();
    program().shellWindows().infoDialog.drop();
}

}  // namespace qv::shell
