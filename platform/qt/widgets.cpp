#include "platform/qt/widgets.hpp"

#include <qdrawutil.h>
#include <QAccessible>
#include <QEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QToolTip>

#include "platform/label_layout.hpp"
#include "platform/qt/game_list_model.hpp"
#include "platform/qt/picture_files.hpp"
#include "platform/qt/qt_text.hpp"

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

// The width of a piece of UTF-8 text in the font of `metrics`.
MeasureText measuredBy(const QFontMetrics& metrics) {
    return [&metrics](std::string_view piece) {
        return metrics.horizontalAdvance(
            QString::fromUtf8(piece.data(), static_cast<qsizetype>(piece.size())));
    };
}

LabelLayout layOut(const QLabel& label, const std::string& utf8) {
    const QFontMetrics metrics(label.font());
    const QRect area = label.contentsRect();
    return layOutLabel(utf8, area.width(), area.height(), metrics.lineSpacing(),
                       measuredBy(metrics));
}

}  // namespace

// A tooltip takes text that looks like markup for markup; such text is
// escaped into markup of its own, so a name like "<u>x" shows as typed.
static QString plainToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text)) return text;
    return QStringLiteral("<p style='white-space:pre-wrap'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

bool Label::cutOff() const {
    return layOut(*this, text().toStdString()).cut;
}

// The whole text, wrapped to the width of the screen under the pointer less
// the tooltip's margins, so that all of it shows: Qt keeps a tooltip that fits
// the screen wholly on it.
static QString wrappedToScreen(const QLabel& label, const QString& text, QPoint pointer) {
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    if (!screen) screen = label.screen();
    const int margins = 2 * (2 + label.style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth));
    const QFontMetrics metrics(QToolTip::font());
    return QString::fromStdString(wrapToWidth(
        text.toStdString(), screen->availableGeometry().width() - margins, measuredBy(metrics)));
}

bool Label::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const QPoint pointer = static_cast<QHelpEvent*>(event)->globalPos();
        setToolTip(cutOff() ? plainToolTip(wrappedToScreen(*this, text(), pointer)) : QString());
    }
    return QLabel::event(event);
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
        const int left =
            area.left() + lineLeft(area.width(), metrics.horizontalAdvance(shown), centred);
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
// groove left between the two arrows of a list a few rows high.
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

GameListView::GameListView(int rows, QWidget* parent)
    : QListView(parent), rowDelegate_(new RowDelegate(this)), rows_(std::max(1, rows)) {
    setItemDelegate(rowDelegate_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    // Rows are laid out a batch at a time between events, so a long list
    // does not hold the first frame back.
    setLayoutMode(QListView::Batched);
    setBatchSize(1000);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
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

// Taking the focus, the list says which entry is current (the first, where
// none was), and whether it is selected, so that no entry goes unheard; the
// current entry is not selected by it. Said after the list's own focus,
// which Qt reports once this handler has returned.
void GameListView::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    if (!currentIndex().isValid() && model()->rowCount() > 0)
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!hasFocus() || !currentIndex().isValid()) return;
            // The list's own description is cut off by its entry's: the
            // entry tells it instead, until the user moves on.
            if (auto* games = dynamic_cast<GameListModel*>(model()))
                games->describeRow(currentIndex().row(), accessibleDescription());
            QAccessibleEvent focus(this, QAccessible::Focus);
            focus.setChild(currentIndex().row());
            QAccessible::updateAccessibility(&focus);
        },
        Qt::QueuedConnection);
}

void GameListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (auto* games = dynamic_cast<GameListModel*>(model())) games->describeRow(-1, {});
    QListView::currentChanged(current, previous);
}

void GameListView::sizeRows() {
    const int inside = height() - 2 * frameWidth();
    const int row = std::max(1, inside / rows_);
    setViewportMargins(0, 0, 0, inside - rows_ * row);
    if (rowDelegate_->height == row) return;
    rowDelegate_->height = row;
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
    if (shown_.isNull() && !file_.empty()) shown_ = readBitmap(file_, contentsRect().size());
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.drawImage(contentsRect().topLeft(), shown_);
}

FaceImage::FaceImage(std::span<const unsigned char> file, QSize size, QWidget* parent)
    : QLabel(parent), file_(file), size_(size) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    showPicture();
}

void FaceImage::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) showPicture();
}

void FaceImage::showPicture() {
    setPixmap(QPixmap::fromImage(readBitmap(file_, size_, palette().color(QPalette::Window))));
}

}  // namespace varnsel::platform::qt
