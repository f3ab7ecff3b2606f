#include "output/printing/pagesetupdialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "capture/capturesession.h"
#include "capture/capturestate.h"
#include "capture/shellcontrol.h"
#include "options/state.h"
#include "output/namedsave.h"
#include "output/printing/currentpreviewview.h"
#include "output/printing/pagecontrols.h"
#include "output/printing/pageform.h"
#include "output/printing/pagesetupprint.h"
#include "output/printing/pagesetuprecords.h"
#include "output/printing/printcommand.h"
#include "output/saveerror.h"
#include "output/state.h"
#include "output/windows.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "toolkit/twips.h"

namespace qv::output {

namespace {

constexpr double kPreviewScale = 4.8;

double screenTwipsPerPixel() {
    return toolkit::twipsPerPixel(platform::desktop().logicalDpiX());
}

}  // namespace

PageSetupDialog::PageSetupDialog() {
    setWindowTitle(QStringLiteral("Page Setup"));

    const PrinterSettings settings = makePrinterSettings(
        this, QStringLiteral("Settings for Printing :"), QStringLiteral("Current Printer:"));
    settingsGroup = settings.group;
    printerLabel = settings.printerLabel;
    printerNameLabel = settings.printerNameLabel;
    alignmentLabel = settings.alignmentLabel;
    alignmentCombo = settings.alignmentCombo;

    pageControls = new PageControls(this);
    leftMarginEdit = pageControls->leftMarginEdit;
    topMarginEdit = pageControls->topMarginEdit;
    rightMarginEdit = pageControls->rightMarginEdit;
    bottomMarginEdit = pageControls->bottomMarginEdit;
    copiesEdit = pageControls->copiesEdit;
    portraitButton = pageControls->portraitButton;
    landscapeButton = pageControls->landscapeButton;

    previewLabel = new QLabel(QStringLiteral("Preview:"), this);
    previewView = new CurrentPreviewView(this);
    printerErrorLabel = new QLabel(this);
    printSizeLabel = new QLabel(this);
    printerSetupButton = new QPushButton(QStringLiteral("Printer Setup..."), this);
    // The focus comes back to it when the setup dialog closes; it must not take the default
    // from Print there, or Return would open the setup again.
    printerSetupButton->setAutoDefault(false);
    printButton = new QPushButton(QStringLiteral("&Print "), this);
    okButton = new QPushButton(QStringLiteral("&OK"), this);
    cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);

    auto* left = makePageColumn(settingsGroup, *pageControls);
    left->addWidget(printerSetupButton);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(previewLabel);
    right->addWidget(previewView);
    right->addWidget(printSizeLabel);
    right->addWidget(printerErrorLabel);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(printButton);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(alignmentCombo, &QComboBox::currentIndexChanged, this, [this] { chooseAlignment(); });
    pageControls->orientationChosen = [this](const QString& o) { chooseOrientation(o); };
    pageControls->marginLeft = [this] { takeMargins(); };
    // After the controls' own rule, which may have put "1" back.
    connect(copiesEdit, &QLineEdit::textChanged, this, [this] { takeCopies(); });
    connect(printerSetupButton, &QPushButton::clicked, this, [this] { setUpPrinter(); });
    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
    connect(okButton, &QPushButton::clicked, this, [this] { store(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancel(); });
}

void PageSetupDialog::load() {
    capture::state().freeze.dialogOpen = true;
    readUnitsAndMargins();
    showPrinterState();
    updatePreview();
}

void PageSetupDialog::showOverFrozenScreen() {
    disconnect(frozenScreenGone_);
    frozenScreenGone_ =
        connect(&capture::shellControl().frozenScreen(), &QObject::destroyed, this, [this] {
            if (windows().pageSetup.peek() == this)
                windows().pageSetup.drop();
        });
    output::showOverFrozenScreen(*this);
}

void PageSetupDialog::readUnitsAndMargins() {
    State& outputState = state();
    readLocaleUnits(outputState);
    pageControls->setDecimalSeparator(outputState.decimalSeparator);
    pageControls->showUnits(outputState.localeUnits);
    openCurrentRecord(outputState, outputState.currentPageSetup.margins, [this](const Margins& m) {
        writeCurrentRecord(m, alignmentCombo->currentText());
    });
    pageControls->showMargins(outputState.currentPageSetup.margins);
}

void PageSetupDialog::showPrinterState() {
    platform::Printer& printer = platform::printer();
    printerNameLabel->setText(printer.deviceName());
    // Each setting of a button runs its handler, which takes the page of the printer.
    if (printer.orientation() == platform::PrintOrientation::Landscape)
        landscapeButton->setChecked(true);
    else
        portraitButton->setChecked(true);
    copiesEdit->setText(QString::number(printer.copies()));
}

void PageSetupDialog::refreshOnActivation() {
    chosenPortraitPage_.reset();
    // Once disabled, the buttons stay so for the life of the window.
    if (!platform::printer().usable()) {
        okButton->setEnabled(false);
        printButton->setEnabled(false);
    }
    if (!capture::state().freeze.captureAvailable)
        printButton->setEnabled(false);
    // The stored margins replace what was typed.
    readUnitsAndMargins();
    showPrinterState();
    updatePreview();
    printButton->setDefault(true);
}

bool PageSetupDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        refreshOnActivation();
    return QDialog::event(event);
}

void PageSetupDialog::updatePreview() {
    WaitPointer wait(*this);
    platform::Printer& printer = platform::printer();
    State& outputState = state();
    showPrinterError(*printerErrorLabel, printer.usable());
    PageMetrics& page = outputState.pageMetrics;
    const platform::PrinterMetrics metrics = printer.metrics();
    if (page.factorX == 0)
        page.factorX = metrics.twipsPerPixelX();
    if (page.factorY == 0)
        page.factorY = metrics.twipsPerPixelY();
    if (page.width == 0)
        page.width = metrics.paper.width();
    if (page.height == 0)
        page.height = metrics.paper.height();

    const capture::CaptureSession& session = capture::session();
    const bool captured = capture::state().captureValid && !session.buffer.isNull();
    const bool circle = session.shape == capture::SelectionShape::Circle;
    CurrentPreviewInput input;
    input.page = page;
    input.margins = outputState.currentPageSetup.margins;
    input.units = outputState.currentUnits;
    input.decimalSeparator = outputState.decimalSeparator;
    input.readoutUnits = outputState.localeUnits;
    input.capture = captured ? session.buffer.size() : QSize();
    input.circle = circle;
    input.screenTwipsPerPixel = screenTwipsPerPixel();
    input.alignment = alignmentCombo->currentText();
    const CurrentPreview preview = computeCurrentPreview(input);
    previewMargins_ = preview.margins;
    // Without a box (no capture, no room) there is no size to tell.
    printSizeLabel->setText(preview.readout);
    previewView->show(preview, captured ? session.buffer : QImage(), circle);
}

void PageSetupDialog::chooseAlignment() {
    State& outputState = state();
    outputState.currentPageSetup.margins = pageControls->normalizedMargins();
    outputState.currentPageSetup.alignment = alignmentCombo->currentText();
    updatePreview();
}

void PageSetupDialog::chooseOrientation(const QString& orientation) {
    platform::Printer& printer = platform::printer();
    const bool landscape = orientation == QStringLiteral("Landscape");
    printer.setOrientation(landscape ? platform::PrintOrientation::Landscape
                                     : platform::PrintOrientation::Portrait);
    State& outputState = state();
    outputState.currentPageSetup.margins = pageControls->normalizedMargins();
    PageMetrics& page = outputState.pageMetrics;
    if (chosenPortraitPage_) {
        // The printer setup dialog's page, turned for landscape, already in preview units.
        const QSizeF portrait = *chosenPortraitPage_;
        page = {landscape ? portrait.height() : portrait.width(),
                landscape ? portrait.width() : portrait.height(), kPreviewScale, kPreviewScale};
    } else {
        const platform::PrinterMetrics metrics = printer.metrics();
        page = {double(metrics.paper.width()), double(metrics.paper.height()),
                metrics.twipsPerPixelX(), metrics.twipsPerPixelY()};
    }
    updatePreview();
}

void PageSetupDialog::takeMargins() {
    state().currentPageSetup.margins = pageControls->normalizedMargins();
    updatePreview();
}

void PageSetupDialog::takeCopies() {
    platform::printer().setCopies(copiesFromText(copiesEdit->text()));
}

platform::PrintOrientation PageSetupDialog::orientation() const {
    return landscapeButton->isChecked() ? platform::PrintOrientation::Landscape
                                        : platform::PrintOrientation::Portrait;
}

void PageSetupDialog::setUpPrinter() {
    chosenPortraitPage_.reset();
    platform::Printer& printer = platform::printer();
    const auto choice = printer.runPrintDialog(platform::PrintDialogKind::Setup, this);
    // The setup dialog offers no file; a choice without a printer chose nothing.
    if (!choice || choice->printer.isEmpty())
        return;
    WaitPointer wait(*this);
    if (choice->printer != printer.deviceName())
        printer.choosePrinter(choice->printer);
    State& outputState = state();
    PrinterSetup& setup = outputState.printerSetup;
    setup.usable = printer.usable();
    if (!setup.usable) {
        platform::dialogs().message(
            QStringLiteral(
                "Error: Cannot connect to selected printer, please terminate and restart "
                "Quorvalline !"),
            platform::MsgButtons::Ok, platform::MsgIcon::Critical, QStringLiteral("Quorvalline"),
            this);
        return;
    }
    applyPrinterChoice(printer, *choice);
    setup.device = printer.deviceName();
    printerNameLabel->setText(setup.device);
    setup.paperSize = choice->paperSize;
    setup.paperSource = choice->paperSource;
    setup.copies = choice->copies;
    copiesEdit->setText(QString::number(choice->copies));
    setup.orientation = choice->orientation;
    if (choice->orientation == int(platform::PrintOrientation::Portrait))
        portraitButton->setChecked(true);
    else if (choice->orientation == int(platform::PrintOrientation::Landscape))
        landscapeButton->setChecked(true);
    setup.colorMode = choice->colorMode;
    setup.duplex = choice->duplex;

    outputState.currentPageSetup.margins = pageControls->normalizedMargins();
    const platform::PrinterMetrics metrics = printer.metrics();
    outputState.pageMetrics = {double(metrics.paper.width()), double(metrics.paper.height()),
                               metrics.twipsPerPixelX(), metrics.twipsPerPixelY()};
    const double across = metrics.paper.width() * metrics.twipsPerPixelX() / kPreviewScale;
    const double down = metrics.paper.height() * metrics.twipsPerPixelY() / kPreviewScale;
    chosenPortraitPage_ = QSizeF(std::min(across, down), std::max(across, down));
    updatePreview();
}

bool PageSetupDialog::printNow() {
    WaitPointer wait(*this);
    State& outputState = state();
    platform::Printer& printer = platform::printer();
    const int copies = preparePageSetupPrinter(printer, outputState.printerSetup,
                                               copiesEdit->text(), orientation());
    const auto failure = printWithPageSetup(printer, capture::session().buffer,
                                            screenTwipsPerPixel(), outputState.pageMetrics,
                                            previewMargins_, alignmentCombo->currentText(), copies);
    if (failure) {
        showSaveError({failure->number, failure->description});
        return false;
    }
    return true;
}

void PageSetupDialog::print() {
    const bool printed = printNow();
    // The frozen screen keeps its picture when it becomes active again.
    capture::state().freeze.dialogOpen = true;
    hide();
    // A print that failed keeps the capture for another try.
    if (printed && options::state().settings.releaseAfterCapture)
        capture::shellControl().releaseDesktop();
}

void PageSetupDialog::store() {
    {
        WaitPointer wait(*this);
        CurrentPageSetup& setup = state().currentPageSetup;
        setup.margins = pageControls->typedMargins();
        setup.alignment = alignmentCombo->currentText();
        writeCurrentRecord(setup.margins, setup.alignment);
    }
    capture::state().freeze.dialogOpen = false;
    windows().pageSetup.drop();
}

void PageSetupDialog::cancel() {
    capture::state().freeze.dialogOpen = false;
    windows().pageSetup.drop();
}

void PageSetupDialog::reject() {
    cancel();
}

void PageSetupDialog::closeEvent(QCloseEvent* event) {
    capture::state().freeze.dialogOpen = false;
    event->accept();
    windows().pageSetup.drop();
}

}  // namespace qv::output
