// The Options window's load and its store: the option record and the default page setup.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <limits>

#include "options/optionsdialog.h"
#include "options/helpfile.h"
#include "options/menucaptions.h"
#include "options/registrystore.h"
#include "output/windows.h"
#include "output/printing/pagesetuprecords.h"
#include "shell/windows.h"
#include "shell/program.h"
#include "toolkit/vbmath.h"

namespace qv::options {

namespace {

const QString kSave = kProgramKey + QStringLiteral("\\Save");
const QString kApps = kProgramKey + QStringLiteral("\\Apps");
const QString kFrame = kProgramKey + QStringLiteral("\\Frame");
const QString kAuto = kProgramKey + QStringLiteral("\\Auto");
const QString kDefaultApp = QStringLiteral("lowriter");

QString flagText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The user's pictures folder; the home folder when there is none.
QString defaultSaveFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QDir(pictures).exists())
        return pictures;
    return QDir::homePath();
}

// Selects one of two option buttons by a stored flag; any other text selects neither.
void selectByFlag(const QString& keepText, QRadioButton* forZero, QRadioButton* forOne) {
    if (keepText == keepFlag(false))
        forZero->setChecked(true);
    else if (keepText == keepFlag(true))
        forOne->setChecked(true);
}

void selectItem(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

}  // namespace

void OptionsDialog::load() {
    Combo1->addItems({QStringLiteral(".bmp"), QStringLiteral(".png"), QStringLiteral(".jpg"),
                      QStringLiteral(".tif")});
    Combo1->setCurrentIndex(0);
    Text4->hide();
    loadPageSetup();
    if (keyExists(kSave))
        readsettings();
    else
        firstRunDefaults();
    program().options.savename = Text3->text();
    Label5->setText(QString());
    showNameBox(!Option1->isChecked());
}

void OptionsDialog::firstRunDefaults() {
    setFrameColor(255);
    Text1->setText(defaultSaveFolder());
    Text2->setText(kDefaultApp);
    Text4->setText(kDefaultApp);
    Text3->setText(QStringLiteral("Quorvalline_"));
    Text5->setText(programFolder() + QStringLiteral("/beep.wav"));
    Option1->setChecked(true);
    Option6->setChecked(true);
    Option4->setChecked(true);
    Check1->setChecked(false);
    Check2->setChecked(true);
    Check3->setChecked(false);
    Check4->setChecked(false);
    setMainMenuCaption(&shell::MainWindow::pastingApplicationItem,
                       containerAppCaption(Text4->text(), QString(), QString()));
}

void OptionsDialog::setCheck(QCheckBox* box, const QString& keepText) {
    if (keepText == keepFlag(false))
        box->setChecked(false);
    else if (keepText == keepFlag(true))
        box->setChecked(true);
}

void OptionsDialog::readsettings() {
    Text1->setText(shownText(readKeep(kSave, QStringLiteral("SaveDir"))));
    Text3->setText(shownText(readKeep(kSave, QStringLiteral("SaveName"))));
    selectItem(Combo1, shownText(readKeep(kSave, QStringLiteral("ImgFormat"))));
    selectByFlag(readKeep(kSave, QStringLiteral("PrompOrIncrement")), Option1, Option2);

    Text2->setText(shownText(readKeep(kApps, QStringLiteral("AppPath"))));
    Text4->setText(shownText(readKeep(kApps, QStringLiteral("ConAppName"))));
    setMainMenuCaption(
        &shell::MainWindow::pastingApplicationItem,
        containerAppCaption(Text4->text(), QStringLiteral("  "), hotkeyText(kContainerAppRow)));
    selectByFlag(readKeep(kApps, QStringLiteral("NewInstance")), Option6, Option5);

    // A colour that does not fit the stored number range is a damaged value: skipped.
    const double color = toolkit::val(shownText(readKeep(kFrame, QStringLiteral("Color"))));
    if (color >= std::numeric_limits<qint32>::min() && color <= std::numeric_limits<qint32>::max())
        setFrameColor(toolkit::toInt(color));
    setCheck(Check1, readKeep(kFrame, QStringLiteral("IncludeOutline")));
    selectByFlag(readKeep(kFrame, QStringLiteral("Outline")), Option3, Option4);

    setCheck(Check2, readKeep(kAuto, QStringLiteral("AutoCopyToClibrd")));
    setCheck(Check4, readKeep(kAuto, QStringLiteral("AutoPopupMenu")));
    setCheck(Check3, readKeep(kAuto, QStringLiteral("AutoReleaseDesktop")));
    const QString showSize = readKeep(kAuto, QStringLiteral("ShowCurrentSize"));
    setCheck(Check5, showSize);
    if (showSize == keepFlag(false) || showSize == keepFlag(true))
        program().options.showcurrentsize = showSize == keepFlag(true);
    Text5->setText(shownText(readKeep(kAuto, QStringLiteral("SoundPath"))));

    resetMainMenu();
}

void OptionsDialog::saveinreg() {
    createKey(kProgramKey);

    writeText(kSave, QStringLiteral("SaveDir"), Text1->text());
    writeText(kSave, QStringLiteral("SaveName"), Text3->text());
    program().options.savename = Text3->text();
    writeText(kSave, QStringLiteral("ImgFormat"), Combo1->currentText(), Nul::Omitted);
    writeText(kSave, QStringLiteral("PrompOrIncrement"), flagText(Option2->isChecked()));

    writeText(kApps, QStringLiteral("AppPath"), Text2->text());
    writeText(kApps, QStringLiteral("NewInstance"), flagText(Option5->isChecked()));
    writeText(kApps, QStringLiteral("ConAppName"), Text4->text());
    setMainMenuCaption(
        &shell::MainWindow::pastingApplicationItem,
        containerAppCaption(Text4->text(), QStringLiteral(" "), hotkeyText(kContainerAppRow)));

    writeText(kFrame, QStringLiteral("Color"), QString::number(program().options.framecolor));
    writeText(kFrame, QStringLiteral("Outline"), flagText(Option4->isChecked()));
    writeText(kFrame, QStringLiteral("IncludeOutline"), flagText(Check1->isChecked()));

    writeText(kAuto, QStringLiteral("AutoCopyToClibrd"), flagText(Check2->isChecked()));
    writeText(kAuto, QStringLiteral("AutoReleaseDesktop"), flagText(Check3->isChecked()));
    writeText(kAuto, QStringLiteral("AutoPopupMenu"), flagText(Check4->isChecked()));
    writeText(kAuto, QStringLiteral("ShowCurrentSize"), flagText(Check5->isChecked()));
    writeText(kAuto, QStringLiteral("SoundPath"), Text5->text());
}

void OptionsDialog::loadPageSetup() {
    output::State& out = program().output;
    output::DefaultPageSetup& setup = out.defaultPageSetup;
    out.storedUnits = output::readStoredUnits();
    output::readLocaleUnits(out);

    if (!output::defaultRecordExists()) {
        if (const auto margins = output::firstUseMargins(out.localeUnits))
            setup.margins = *margins;
        setup.copies = QStringLiteral("1");
        setup.orientation = QStringLiteral("Portrait");
        setup.alignment = QStringLiteral("Top Left");
        writepagesetupinreg();
        return;
    }

    readpagesetupfromreg();
    // A locale whose units are unknown converts nothing.
    if (out.localeUnits && out.storedUnits != out.localeUnits) {
        out.unitsChanged = true;
        setup.margins =
            output::convertedMargins(setup.margins, out.storedUnits, out.decimalSeparator);
        writepagesetupinreg();
    }

    output::DefaultPrintingDialog& defaultPrinting = program().outputWindows().defaultPrinting.get();
    defaultPrinting.leftMarginEdit->setText(setup.margins.left);
    defaultPrinting.topMarginEdit->setText(setup.margins.top);
    defaultPrinting.rightMarginEdit->setText(setup.margins.right);
    defaultPrinting.bottomMarginEdit->setText(setup.margins.bottom);
    defaultPrinting.copiesEdit->setText(setup.copies);
    if (setup.orientation == QStringLiteral("Portrait"))
        defaultPrinting.portraitButton->setChecked(true);
    else if (setup.orientation == QStringLiteral("Landscape"))
        defaultPrinting.landscapeButton->setChecked(true);
}

void OptionsDialog::writepagesetupinreg() {
    const output::State& out = program().output;
    output::writeDefaultRecord(out.defaultPageSetup, out.currentUnits);
}

void OptionsDialog::readpagesetupfromreg() {
    output::State& out = program().output;
    out.defaultPageSetup = output::readDefaultRecord();
    selectItem(program().outputWindows().defaultPrinting->alignmentCombo,
               out.defaultPageSetup.alignment);
}

}  // namespace qv::options
