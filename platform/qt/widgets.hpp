// The two kinds of control Qt has no exact widget for.
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QPushButton>
#include <span>

namespace varnsel::platform::qt {

// A push button whose caption wraps at blanks onto further lines, centred.
class WrappingButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A sunken box that draws its picture unscaled at its inner top-left corner,
// clipped to its inside. The picture is decoded when first painted.
class PictureBox : public QFrame {
public:
    PictureBox(std::span<const unsigned char> file, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::span<const unsigned char> file_;
    QPixmap picture_;
};

}  // namespace varnsel::platform::qt
