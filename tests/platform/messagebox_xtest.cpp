// The program's message boxes under a window manager, as a monitor shows them: the title bar
// holds the box's title whole.
#include <QApplication>
#include <QHash>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/linux/qtdialogs.h"
#include "support/xvfbtest.h"

namespace qv::platform {
namespace {

class MessageBoxX : public testsupport::XvfbTest {
protected:
    void SetUp() override { startServer({.windowManager = true, .frameBuffer = true}); }

    // The title bar of an active window as the screen shows it, once the window manager has
    // framed the window and drawn it alike twice in a row.
    QImage titleBar(QWidget& window) {
        QImage bar;
        QImage previous;
        const bool settled = processUntil([&] {
            // The window's own frame: a widget may keep the margins it saw before the window
            // manager framed it.
            const QWindow* handle = window.windowHandle();
            if (!handle)
                return false;
            const QRect frame = handle->frameGeometry();
            const int height = handle->geometry().top() - frame.top();
            if (QApplication::activeWindow() != &window || height <= 2)
                return false;
            previous = std::exchange(
                bar, server->frameBuffer().copy(frame.left(), frame.top(), frame.width(), height));
            return !bar.isNull() && bar == previous;
        });
        return settled ? bar : QImage();
    }
};

// The columns of a title bar's text: the ink between the window's icon at the left and the
// three frame buttons at the right, each run of ink apart from the next by a few columns.
QImage titleText(const QImage& bar) {
    std::vector<bool> ink(size_t(bar.width()), false);
    for (int y = 1; y < bar.height() - 1; ++y) {
        // The bar's own colour in this row: the most frequent one.
        QHash<QRgb, int> counts;
        for (int x = 0; x < bar.width(); ++x)
            ++counts[bar.pixel(x, y)];
        const QRgb background =
            std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
                return a.second < b.second;
            })->first;
        for (int x = 2; x < bar.width() - 2; ++x) {
            const QRgb p = bar.pixel(x, y);
            ink[size_t(x)] = ink[size_t(x)] || std::abs(qGray(p) - qGray(background)) > 40;
        }
    }
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < bar.width(); ++x) {
        if (!ink[size_t(x)])
            continue;
        if (!runs.empty() && x - runs.back().second <= 4)
            runs.back().second = x;
        else
            runs.emplace_back(x, x);
    }
    if (runs.size() < 5)
        return {};
    const int from = runs[1].first;
    const int to = runs[runs.size() - 4].second;
    return bar.copy(from, 0, to - from + 1, bar.height());
}

TEST_F(MessageBoxX, AShortMessageShowsItsTitleWhole) {
    const QString title = QStringLiteral(" Quorvalline ");
    QWidget wide;
    wide.setWindowTitle(title);
    wide.setGeometry(100, 100, 600, 100);
    wide.show();
    const QImage whole = titleText(titleBar(wide));
    ASSERT_FALSE(whole.isNull()) << "no title seen on a wide window";
    wide.hide();

    for (const char* text : {"!", "File not found !", "Invalid Filename", "481 Invalid picture"}) {
        SCOPED_TRACE(text);
        QImage shown;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            shown = titleText(titleBar(*box));
            box->close();
        });
        QtDialogs().message(QString::fromLatin1(text), MsgButtons::Ok, MsgIcon::Critical, title,
                            nullptr);
        ASSERT_FALSE(shown.isNull()) << "no title seen on the message box";
        EXPECT_EQ(shown.width(), whole.width()) << "the title is cut";
        EXPECT_EQ(shown, whole);
    }
}

}  // namespace
}  // namespace qv::platform
