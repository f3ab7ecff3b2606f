// The program's own look of Qt's dialogs: the font dialog's sample in the chosen colour, file
// types shown by their captions. (Message boxes are seen under a window manager.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/linux/fontcolordialog.h"
#include "platform/linux/qtdialogs.h"

namespace qv::platform {
namespace {

// Runs look on the first modal dialog once it is open, then closes it.
void whenOpen(const std::function<void(QWidget&)>& look) {
    QTimer::singleShot(0, [look] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        look(*modal);
        modal->close();
    });
}

// How many pixels of the picture are mostly of the colour's own hue.
int pixelsOf(const QImage& picture, const QColor& color) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor seen = picture.pixelColor(x, y);
            count += seen.saturation() > 128 && std::abs(seen.hue() - color.hue()) < 20 ? 1 : 0;
        }
    return count;
}

TEST(QtDialogsLook, TheFontSampleShowsTheChosenColour) {
    FontColorDialog dialog({QFont(QStringLiteral("Sans Serif"), 20), QColor(Qt::blue)}, nullptr);
    dialog.show();
    QLineEdit* sample = nullptr;
    for (auto* group : dialog.fontChooser->findChildren<QGroupBox*>())
        if (auto* edit = group->findChild<QLineEdit*>())
            sample = edit;
    ASSERT_NE(sample, nullptr);
    EXPECT_GT(pixelsOf(sample->grab().toImage(), Qt::blue), 20) << "opens in the text's colour";
    dialog.colorCombo->setCurrentText(QStringLiteral("Red"));
    const QImage red = sample->grab().toImage();
    EXPECT_GT(pixelsOf(red, Qt::red), 20);
    EXPECT_EQ(pixelsOf(red, Qt::blue), 0);
}

TEST(QtDialogsLook, FileTypesShowTheirCaptionsAlone) {
    QtDialogs dialogs;
    QString shown;
    whenOpen([&](QWidget& dialog) {
        if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
            shown = types->currentText();
    });
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.filter = QStringLiteral(
        "Image Files (*.ico,*.bmp,*.jpg, *.gif) "
        "(*.[iI][cC][oO] *.[bB][mM][pP] *.[jJ][pP][gG] *.[gG][iI][fF])");
    EXPECT_FALSE(dialogs.openFile(request, nullptr));
    EXPECT_EQ(shown, "Image Files (*.ico,*.bmp,*.jpg, *.gif)");
}

// A long path or file name in a message wraps within the box: the box, frame included, is no
// wider than the screen, no line of its text runs past the box's edge, and the text reads (and
// copies) as it was given.
TEST(QtDialogsLook, LongPathsAndNamesWrapWithinTheScreen) {
    const QString longName = QString(126, QChar(0xe9)) + QStringLiteral("a0.png");
    const QString texts[] = {
        QStringLiteral("Error: 1001  cannot write /home/ann/") + QString(300, u'x') +
            QStringLiteral(".png: File name too long !!"),
        QStringLiteral("Error: 1001  cannot write ") + longName + QStringLiteral(" !!"),
        QStringLiteral("AutoCapture job \"") + longName + QStringLiteral("\" ") + longName,
        QStringLiteral("File not found !"),
    };
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        int screenWidth = 0, boxWidth = 0, textWidth = 0, labelWidth = 0;
        QString shown, copied;
        whenOpen([&](QWidget& box) {
            auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            screenWidth = box.screen()->availableGeometry().width();
            boxWidth = box.frameGeometry().width();
            textWidth = label->minimumSizeHint().width();
            labelWidth = label->width();
            shown = label->text().remove(QChar(0x200B));
            label->setSelection(0, int(label->text().size()));
            QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
            copied = QGuiApplication::clipboard()->text();
        });
        QtDialogs().message(text, MsgButtons::Ok, MsgIcon::Critical,
                            QStringLiteral(" Quorvalline "), nullptr);
        EXPECT_GT(screenWidth, 0);
        EXPECT_LE(boxWidth, screenWidth);
        EXPECT_LE(textWidth, labelWidth) << "the text runs past the box";
        EXPECT_EQ(shown, text);
        EXPECT_EQ(copied, text) << "copied from the box";
    }
}

}  // namespace
}  // namespace qv::platform
