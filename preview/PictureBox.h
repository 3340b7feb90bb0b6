#pragma once
// The preview's picture box (ImagePreview): a picture drawn at the box's
// size (stretching on) or a box that takes the picture's natural size
// (stretching off). The picture held may have been decoded smaller than its
// natural size; it is drawn scaled to the box either way.

#include <QImage>
#include <QSize>
#include <QWidget>

class PictureBox final : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);

    // natural: the picture's own size in pixels.
    void SetPicture(const QImage& image, QSize natural);
    void Clear();
    bool HasPicture() const { return !image_.isNull(); }
    QSize Natural() const { return natural_; }
    // True when a picture is held, smaller than its natural size.
    bool Reduced() const { return !image_.isNull() && image_.size() != natural_; }
    // Off: the box takes the picture's natural size.
    void SetStretch(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    QSize natural_;
};
