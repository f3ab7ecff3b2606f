#include "app/otherwindowslink.h"

#include "autocapture/windows.h"
#include "output/printing/defaultpagesetup.h"
#include "output/windows.h"
#include "toolkit/ownedwindow.h"

namespace qv::app {

void OtherWindowsLink::loadDefaultPageSetup() {
    output::loadDefaultPageSetup();
}

void OtherWindowsLink::showDefaultPrinting(QWidget& over) {
    toolkit::showOwned(output::windows().defaultPrinting.get(), over);
}

void OtherWindowsLink::showJobList(QWidget& over) {
    toolkit::showOwned(autocapture::windows().jobList.get(), over);
}

}  // namespace qv::app
