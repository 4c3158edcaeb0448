#include "platform/qt/widgets.hpp"

#include <qdrawutil.h>
#include <QEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include "platform/label_layout.hpp"

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

// --- Label ------------------------------------------------------------------

namespace {

LabelLayout layOut(const QLabel& label, const std::string& utf8) {
    const QFontMetrics metrics(label.font());
    const QRect area = label.contentsRect();
    return layOutLabel(utf8, area.width(), area.height(), metrics.lineSpacing(),
                       [&metrics](std::string_view piece) {
                           return metrics.horizontalAdvance(QString::fromUtf8(
                               piece.data(), static_cast<qsizetype>(piece.size())));
                       });
}

}  // namespace

void Label::setCaption(const QString& text) {
    setText(text);
    updateToolTip();
}

void Label::updateToolTip() {
    const bool cut = layOut(*this, text().toStdString()).cut;
    setToolTip(cut ? text() : QString());
}

void Label::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    updateToolTip();
}

void Label::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) updateToolTip();
}

void Label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    painter.setPen(palette().color(foregroundRole()));
    const std::string utf8 = text().toStdString();
    const QFontMetrics metrics(font());
    const bool centred = (alignment() & Qt::AlignHCenter) != 0;
    int top = area.top();
    for (std::string_view line : layOut(*this, utf8).lines) {
        const QString shown = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
        const int width = metrics.horizontalAdvance(shown);
        // A line too wide keeps its start in view, centred or not.
        const int left = area.left() + (centred ? std::max(0, (area.width() - width) / 2) : 0);
        painter.drawText(left, top + metrics.ascent(), shown);
        top += metrics.lineSpacing();
    }
}

// --- Frame ------------------------------------------------------------------

void OptionsFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect border = rect().adjusted(0, metrics.height() / 2, 0, 0);
    qDrawShadeRect(&painter, border, palette(), true, 1, 0);
    // The caption sits on the border, a little in from the left, on the face
    // colour, with a blank's width of room on each side.
    const int room = metrics.horizontalAdvance(QLatin1Char(' ')) / 2;
    const QRect caption(8, 0, metrics.horizontalAdvance(title()) + 2 * room, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

// --- List -------------------------------------------------------------------

class GameListView::RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height};
    }
    int height = 16;
};

namespace {

// The style's own scroll bar, but with a thumb short enough to fit the
// groove left between the two arrows of a list three rows high.
class ShortThumbStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        if (metric != PM_ScrollBarSliderMin) return value;
        return std::min(value, QProxyStyle::pixelMetric(PM_ScrollBarExtent, option, widget) / 2);
    }
};

}  // namespace

GameListView::GameListView(QWidget* parent) : QListView(parent), rows_(new RowDelegate(this)) {
    setItemDelegate(rows_);
    auto* thumbStyle = new ShortThumbStyle;
    thumbStyle->setParent(this);
    verticalScrollBar()->setStyle(thumbStyle);
    // The rows fill the inside, but for what is left over below the third
    // row at some dpi: that strip is the list's own background.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

QItemSelectionModel::SelectionFlags GameListView::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
    const auto command = QListView::selectionCommand(index, event);
    if (!index.isValid()) return QItemSelectionModel::NoUpdate;
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect;
    return command;
}

void GameListView::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    sizeRows();
}

void GameListView::sizeRows() {
    const int inside = height() - 2 * frameWidth();
    const int row = std::max(1, inside / 3);
    setViewportMargins(0, 0, 0, inside - 3 * row);
    if (rows_->height == row) return;
    rows_->height = row;
    doItemsLayout();
}

// --- Pictures ---------------------------------------------------------------

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

QPixmap onFaceColour(std::span<const unsigned char> file, const QColor& face) {
    QImage image;
    image.loadFromData(file.data(), static_cast<int>(file.size()), "BMP");
    image = image.convertToFormat(QImage::Format_RGB32);
    const QRgb grey = qRgb(192, 192, 192);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == grey) line[x] = face.rgb();
        }
    }
    return QPixmap::fromImage(image);
}

}  // namespace varnsel::platform::qt
