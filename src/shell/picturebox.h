#pragma once

#include <QImage>
#include <QWidget>

namespace qv::shell {

// A picture box that keeps an image of its own (never shown: it only holds the picture).
class PictureBox : public QWidget {
public:
    explicit PictureBox(QWidget* parent = nullptr) : QWidget(parent) { hide(); }

    const QImage& image() const { return image_; }
    void setImage(const QImage& image) { image_ = image; }
    void clear() { image_ = QImage(); }

private:
    QImage image_;
};

}  // namespace qv::shell
