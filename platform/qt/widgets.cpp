#include "platform/qt/widgets.hpp"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace varnsel::platform::qt {

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown()) area.translate(1, 1);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, caption);
}

PictureBox::PictureBox(std::span<const unsigned char> file, QWidget* parent)
    : QFrame(parent), file_(file) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (picture_.isNull() && !file_.empty()) {
        picture_.loadFromData(file_.data(), static_cast<uint>(file_.size()), "BMP");
    }
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.drawPixmap(contentsRect().topLeft(), picture_);
}

}  // namespace varnsel::platform::qt
