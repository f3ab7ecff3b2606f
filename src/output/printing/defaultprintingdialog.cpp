#include "output/printing/defaultprintingdialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "capture/capturestate.h"
#include "output/printing/defaultpagesetup.h"
#include "output/printing/defaultpreviewview.h"
#include "output/printing/pagecontrols.h"
#include "output/printing/pageform.h"
#include "output/printing/pagesetuprecords.h"
#include "output/state.h"
#include "output/windows.h"
#include "platform/services.h"
#include "toolkit/combo.h"

namespace qv::output {

namespace {

const QString kPortrait = QStringLiteral("Portrait");
const QString kLandscape = QStringLiteral("Landscape");

}  // namespace

DefaultPrintingDialog::DefaultPrintingDialog() {
    setWindowTitle(QStringLiteral("Default Printing"));

    const PrinterSettings settings = makePrinterSettings(
        this, QStringLiteral("Settings for Default Printing:"), QStringLiteral("Default printer:"));
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
    copiesBar = pageControls->copiesBar;
    portraitButton = pageControls->portraitButton;
    landscapeButton = pageControls->landscapeButton;

    previewLabel = new QLabel(QStringLiteral("Preview:"), this);
    previewView = new DefaultPreviewView(this);
    printerErrorLabel = new QLabel(this);
    separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    saveButton = new QPushButton(QStringLiteral("&Save for Default Printing"), this);
    cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);

    auto* left = makePageColumn(settingsGroup, *pageControls);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(previewLabel);
    right->addWidget(previewView);
    right->addWidget(printerErrorLabel);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(separator);
    layout->addLayout(buttons);

    connect(alignmentCombo, &QComboBox::currentIndexChanged, this, [this] { chooseAlignment(); });
    pageControls->orientationChosen = [this](const QString& o) { chooseOrientation(o); };
    pageControls->marginLeft = [this] { takeMargins(); };
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { hide(); });
}

void DefaultPrintingDialog::load() {
    showLocaleUnits();
    printerNameLabel->setText(platform::printer().deviceName());
    readDefaultPageSetup();
    const DefaultPageSetup setup = state().defaultPageSetup;
    copiesEdit->setText(setup.copies);
    if (setup.orientation == kPortrait)
        portraitButton->setChecked(true);
    else if (setup.orientation == kLandscape)
        landscapeButton->setChecked(true);
    pageControls->showMargins(setup.margins);
    toolkit::selectText(alignmentCombo, setup.alignment);
    updatePreview();
}

void DefaultPrintingDialog::showLocaleUnits() {
    State& outputState = state();
    readLocaleUnits(outputState);
    pageControls->setDecimalSeparator(outputState.decimalSeparator);
    pageControls->showUnits(unitsOfMeasurementSetting(platform::locale().measurementSystem()));
}

void DefaultPrintingDialog::refreshOnActivation() {
    // Once the printer was missing, saving stays off for the life of the window.
    if (!platform::printer().usable())
        saveButton->setEnabled(false);
    showLocaleUnits();
    printerNameLabel->setText(platform::printer().deviceName());
    readDefaultPageSetup();
    saveButton->setDefault(true);
}

bool DefaultPrintingDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        refreshOnActivation();
    return QDialog::event(event);
}

void DefaultPrintingDialog::updatePreview() {
    WaitPointer wait(*this);
    platform::Printer& printer = platform::printer();
    showPrinterError(*printerErrorLabel, printer.usable());
    printer.setOrientation(platform::PrintOrientation::Portrait);
    State& outputState = state();
    const PreviewInput input{printer.usable(), printer.metrics(), outputState.defaultPageSetup,
                             outputState.currentUnits, outputState.decimalSeparator};
    const DefaultPreview preview = computeDefaultPreview(input, previewView->preview());
    outputState.previewMargins = preview.margins;
    outputState.previewPage = preview.page;
    previewView->show(preview);
}

void DefaultPrintingDialog::chooseAlignment() {
    // The load's own choice, made while hidden, changes nothing.
    if (!isVisible())
        return;
    DefaultPageSetup& setup = state().defaultPageSetup;
    setup.alignment = alignmentCombo->currentText();
    setup.margins = pageControls->normalizedMargins();
    updatePreview();
}

void DefaultPrintingDialog::chooseOrientation(const QString& orientation) {
    if (!isVisible())
        return;
    DefaultPageSetup& setup = state().defaultPageSetup;
    setup.orientation = orientation;
    setup.margins = pageControls->normalizedMargins();
    updatePreview();
}

void DefaultPrintingDialog::takeMargins() {
    state().defaultPageSetup.margins = pageControls->normalizedMargins();
    updatePreview();
}

void DefaultPrintingDialog::save() {
    {
        WaitPointer wait(*this);
        DefaultPageSetup& setup = state().defaultPageSetup;
        setup.margins = pageControls->typedMargins();
        setup.copies = copiesEdit->text();
        if (portraitButton->isChecked())
            setup.orientation = kPortrait;
        else if (landscapeButton->isChecked())
            setup.orientation = kLandscape;
        setup.alignment = alignmentCombo->currentText();
        writeDefaultRecordKeepingUnits(setup);
    }
    hide();
}

void DefaultPrintingDialog::closeEvent(QCloseEvent* event) {
    capture::state().freeze.dialogOpen = false;
    event->accept();
    // Closed by its close box, the window goes; the next use loads it again.
    windows().defaultPrinting.drop();
}

}  // namespace qv::output
