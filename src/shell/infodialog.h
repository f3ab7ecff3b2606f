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

    QLabel* Picture1;
    QFrame* Shape1;
    QLabel* Label6;
    QLabel* Label2;  // the web site
    QLabel* Label1;  // the support address
    QLabel* Label5;  // "Close"

    static const QString kWebSite;
    static const QString kSupportAddress;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Label2_MouseMove();
    void Label2_Click();
    void Label1_MouseMove();
    void Label1_Click();
    void Label5_MouseMove();
    void Label5_Click();
    void Picture1_MouseMove();
};

}  // namespace qv::shell
