#include <QAction>
#include <QLabel>
#include <QMenu>
#include <utility>
#include <vector>

#include "options/forms.h"
#include "options/helpfile.h"
#include "picmenu/modpicmenu.h"
#include "platform/services.h"
#include "shell/form1.h"
#include "shell/forms.h"
#include "shell/program.h"

namespace qv::shell {

namespace {

// Adds the items in order with a separator between every two of them.
void addItems(QMenu* menu, std::initializer_list<std::pair<QAction**, const char*>> items) {
    bool first = true;
    for (const auto& [item, caption] : items) {
        if (!first)
            menu->addSeparator();
        first = false;
        *item = menu->addAction(QString::fromLatin1(caption));
    }
}

}  // namespace

void Form1::buildMenus() {
    mnuTray = new QMenu(QStringLiteral("File"), this);
    addItems(mnuTray, {{&mnuhelp, "Help..."},
                       {&mnuinfo, "Info..."},
                       {&mnuExit, "Exit"},
                       {&mnuOptions, "Options..."},
                       {&mnucapturescreen, "Capture Entire Screen"},
                       {&mnuactivewindow, "Capture Active Window"},
                       {&mnuFreeze, "Freeze Desktop             "},
                       {&mnuRelease, "Release Desktop"}});

    mnuContext = new QMenu(QStringLiteral("Context"), this);
    addItems(mnuContext, {{&mnuaddobject, "Add Objects..."},
                          {&mnurectangle, "Capture Rectangular Area          "},
                          {&mnuDraw, "Capture Circular Area"},
                          {&mnuSaveToDefDir, "Save to Default Directory"},
                          {&mnuSaveas, "Save As..."},
                          {&mnuDefPrinter, "Print to Default Printer"},
                          {&mnuPrint, "Print..."},
                          {&mnupagesetup, "Page Setup..."},
                          {&mnuOpenContainerApp, "Start Default Application"},
                          {&mnupaste, "Paste from Clipboard"},
                          {&mnucopytoclipbrd, "Copy to Clipboard"},
                          {&mnuemail, "Email To..."},
                          {&mnuContextRelease, "Release Desktop"}});
}

void Form1::buildObjectPopups() {
    mnulab4popup = new QMenu(QStringLiteral("lab4popup"), this);
    addItems(mnulab4popup, {{&mnulab4edit, "Edit..."}, {&mnulab4delete, "delete"}});
    mnushape2popup = new QMenu(QStringLiteral("shape2popup"), this);
    addItems(mnushape2popup, {{&mnushape2options, "Options..."}, {&mnushape2delete, "delete"}});
    mnuline1popup = new QMenu(QStringLiteral("line1popup"), this);
    addItems(mnuline1popup, {{&mnulie1options, "Options..."}, {&mnuline1delete, "Delete"}});
    mnuimage1popup = new QMenu(QStringLiteral("image1popup"), this);
    addItems(mnuimage1popup, {{&mnuimage1delete, "Delete"}});
}

void Form1::connectMenus() {
    const std::vector<std::pair<QAction*, void (Form1::*)()>> commands = {
        {mnuhelp, &Form1::mnuhelp_Click},
        {mnuinfo, &Form1::mnuinfo_Click},
        {mnuExit, &Form1::mnuExit_Click},
        {mnuOptions, &Form1::mnuOptions_Click},
        {mnucapturescreen, &Form1::mnucapturescreen_Click},
        {mnuactivewindow, &Form1::mnuactivewindow_Click},
        {mnuFreeze, &Form1::mnuFreeze_Click},
        {mnuRelease, &Form1::mnuRelease_Click},
        {mnuaddobject, &Form1::mnuaddobject_Click},
        {mnurectangle, &Form1::mnurectangle_Click},
        {mnuDraw, &Form1::mnuDraw_Click},
        {mnuSaveToDefDir, &Form1::mnuSaveToDefDir_Click},
        {mnuSaveas, &Form1::mnuSaveas_Click},
        {mnuDefPrinter, &Form1::mnuDefPrinter_Click},
        {mnuPrint, &Form1::mnuPrint_Click},
        {mnupagesetup, &Form1::mnupagesetup_Click},
        {mnuOpenContainerApp, &Form1::mnuOpenContainerApp_Click},
        {mnupaste, &Form1::mnupaste_Click},
        {mnucopytoclipbrd, &Form1::mnucopytoclipbrd_Click},
        {mnuemail, &Form1::mnuemail_Click},
        {mnuContextRelease, &Form1::mnuContextRelease_Click},
    };
    for (const auto& [item, command] : commands)
        connect(item, &QAction::triggered, this, [this, command = command] { (this->*command)(); });
    connect(mnuTray, &QMenu::aboutToShow, this, [this] { mnuTray_Click(); });
    connect(mnuTray, &QMenu::aboutToHide, this, [this] {
        inTrayCallback_ = false;
        // A closed menu needs no watching; the watcher would only poll the pointer.
        menuWatch_ = false;
        Timer2->stop();
    });
}

void Form1::initializemenu() {
    program().picmenu.menuhwnd = this;
    picmenu::modMain::DetectWin95();
    if (!program().picmenu.onwindows95)
        picmenu::modPicMenu::InitPictureMenus();
    picmenu::modPicMenu::SetHighlightStyle(0);
    picmenu::modPicMenu::HookMenus();
    ResetMenu();
}

void Form1::ResetMenu() {
    using namespace picmenu::modPicMenu;
    SetMenuImageList(imgmenu);
    ResetMenuImages();
    ForgetPreparedMenus();
    const std::pair<QAction*, int> pictures[] = {
        {mnuaddobject, 1},      {mnurectangle, 2},     {mnuDraw, 3},
        {mnuSaveToDefDir, 4},   {mnuSaveas, 5},        {mnuDefPrinter, 6},
        {mnuPrint, 7},          {mnupagesetup, 8},     {mnuOpenContainerApp, 9},
        {mnucopytoclipbrd, 10}, {mnuemail, 11},        {mnuContextRelease, 12},
        {mnuFreeze, 13},        {mnuRelease, 12},      {mnuactivewindow, 14},
        {mnucapturescreen, 15}, {mnuOptions, 16},      {mnushape2options, 16},
        {mnulie1options, 16},   {mnuExit, 17},         {mnuinfo, 18},
        {mnuhelp, 19},          {mnushape2delete, 20}, {mnuimage1delete, 20},
        {mnuline1delete, 20},   {mnulab4delete, 20},   {mnulab4edit, 21},
        {mnupaste, 22},
    };
    for (const auto& [item, picture] : pictures)
        SetMenuItemImage(item->text(), picture);
}

void Form1::mnuRelease_Click() {
    standardrelease();
}

void Form1::mnuContextRelease_Click() {
    standardrelease();
}

void Form1::mnurectangle_Click() {
    auto& state = program().shell;
    if (state.contextpopup) {
        mnuRelease->setEnabled(true);
        mnuactivewindow->setEnabled(false);
        mnucapturescreen->setEnabled(false);
        mnuFreeze_Click();
    }
    state.rectangularmode = true;
    state.circularmode = false;
    program().shellForms().form2->setareacursor();
}

void Form1::mnuDraw_Click() {
    auto& state = program().shell;
    auto& clock = platform::clock();
    // While an area is still being copied the mode stays; the rest of that copy runs here.
    auto waitForRunningCapture = [&clock] {
        clock.processEvents();
        clock.sleep(1000);
        clock.processEvents();
    };
    if (state.contextpopup) {
        if (state.areacapturerunning) {
            waitForRunningCapture();
            return;
        }
        mnuRelease->setEnabled(true);
        mnuactivewindow->setEnabled(false);
        mnucapturescreen->setEnabled(false);
        mnuFreeze_Click();
    }
    if (!state.areacapturerunning) {
        state.circularmode = true;
        state.rectangularmode = false;
        program().shellForms().form2->setareacursor();
        return;
    }
    waitForRunningCapture();
}

void Form1::mnuOptions_Click() {
    auto& options = program().optionsForms().form4.get();
    options.show();
    options.raise();
}

void Form1::mnuExit_Click() {
    endAtOnce();
}

void Form1::mnuhelp_Click() {
    options::openHelpFile(&program().optionsForms().form4.get());
}

void Form1::mnuinfo_Click() {
    auto& info = program().shellForms().form12.get();
    info.show();
    info.raise();
}

}  // namespace qv::shell
