#pragma once

#include <QWidget>

#include "output/printing/defaultpreview.h"

namespace qv::output {

// Paints a Default Printing preview: its twips scaled to the screen's pixels.
class DefaultPreviewView : public QWidget {
public:
    explicit DefaultPreviewView(QWidget* parent);

    void show(const DefaultPreview& preview);
    const DefaultPreview& preview() const { return preview_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double twipsPerPixel() const;

    DefaultPreview preview_;
};

}  // namespace qv::output
