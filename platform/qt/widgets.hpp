// The kinds of control Qt has no exact widget for.
#pragma once

#include <QAbstractItemDelegate>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPixmap>
#include <QPushButton>
#include <span>
#include <string>

namespace varnsel::platform::qt {

// A push button whose caption wraps at blanks onto further lines, centred.
class WrappingButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A label that never changes size: its text breaks only at blanks, a line
// wider than the label is clipped at its edge, and lines that do not fit
// below are not drawn. When some text is cut off, the whole text is the
// label's tooltip.
class Label : public QLabel {
public:
    using QLabel::QLabel;
    void setCaption(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateToolTip();
};

// A frame whose etched border starts half a line down, with the caption in
// its top edge, over the border.
class OptionsFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A single-selection list as on Windows: rows sized so that exactly three
// whole rows fill its inside; once an entry is selected one stays selected
// (Ctrl+click and Ctrl+Space do not clear it); its scroll bar draws a thumb
// even at this small height.
class GameListView : public QListView {
public:
    explicit GameListView(QWidget* parent);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void sizeRows();
    class RowDelegate;
    RowDelegate* rows_;
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

// A picture whose light grey (192, 192, 192), drawn to blend with the face
// colour of its day, is shown in the face colour of this one.
QPixmap onFaceColour(std::span<const unsigned char> file, const QColor& face);

}  // namespace varnsel::platform::qt
