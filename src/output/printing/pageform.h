#pragma once

class QComboBox;
class QGroupBox;
class QLabel;
class QString;
class QVBoxLayout;
class QWidget;

namespace qv::output {

class PageControls;

// Shows the wait pointer over a window for as long as it lives.
class WaitPointer {
public:
    explicit WaitPointer(QWidget& window);
    ~WaitPointer();
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;

private:
    QWidget& window_;
};

// The printer and alignment group both page windows open with.
struct PrinterSettings {
    QGroupBox* group;
    QLabel* printerLabel;
    QLabel* printerNameLabel;
    QLabel* alignmentLabel;
    QComboBox* alignmentCombo;  // where the picture goes on the page; the first at the start
};

PrinterSettings makePrinterSettings(QWidget* parent, const QString& title,
                                    const QString& printerCaption);

// The settings over the orientation and copies groups side by side, over the margins; the
// caller adds what follows and the stretch.
QVBoxLayout* makePageColumn(QGroupBox* settings, const PageControls& controls);

// The red "Printer Error !!" line while the printer is unusable, nothing otherwise.
void showPrinterError(QLabel& label, bool usable);

}  // namespace qv::output
