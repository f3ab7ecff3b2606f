#include "autocapture/failurenotice.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/services.h"

namespace qv::autocapture {

FailureNotice::FailureNotice() {
    setWindowTitle(QStringLiteral(" Quorvalline "));
    setWindowFlag(Qt::Dialog);
    // A capture going wrong in the background must not take the keyboard from the user.
    setAttribute(Qt::WA_ShowWithoutActivating);

    iconLabel = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    iconLabel->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxCritical, nullptr, this).pixmap(iconSize));
    headingLabel = new QLabel(QStringLiteral("These scheduled captures were not saved:"), this);
    failureList = new QPlainTextEdit(this);
    failureList->setReadOnly(true);
    // A job's name or file name can be as long as a file name gets: it wraps, anywhere if it
    // must, rather than hiding past the right edge.
    failureList->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    failureList->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    okButton = new QPushButton(QStringLiteral("OK"), this);
    connect(okButton, &QPushButton::clicked, this, &QWidget::close);

    auto* text = new QVBoxLayout;
    text->addWidget(headingLabel);
    text->addWidget(failureList);
    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel, 0, Qt::AlignTop);
    top->addLayout(text);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(buttons);
    resize(560, 220);
}

void FailureNotice::add(const QString& text) {
    const QString line =
        platform::clock().now().toString(QStringLiteral("HH:mm")) + QStringLiteral("  ") + text;
    failures_.append(line);
    failureList->appendPlainText(line);
    show();
    raise();
}

void FailureNotice::closeEvent(QCloseEvent* event) {
    failures_.clear();
    failureList->clear();
    event->accept();
}

}  // namespace qv::autocapture
