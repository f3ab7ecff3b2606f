#pragma once

#include <QWidget>

class QFrame;
class QLabel;

namespace qv::shell {

// The info dialog: the product's name and version with links to the maker's web site and
// to the support address.
class InfoDialog : public QWidget {
public:
    InfoDialog();

    QLabel* background;
    QFrame* border;  // the blue line around the texts
    QLabel* versionLabel;
    QLabel* webSiteLink;  // the web site
    QLabel* supportLink;  // the support address
    QLabel* closeLink;    // "Close"

    static const QString kWebSite;
    static const QString kSupportAddress;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void highlightWebSite();
    void openWebSite();
    void highlightSupport();
    void mailSupport();
    void highlightClose();
    void closeFromLink();
    void resetLinkColors();
};

}  // namespace qv::shell
