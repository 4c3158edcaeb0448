// The kinds of control Qt has no exact widget for.
#pragma once

#include <QAbstractItemDelegate>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnsel::platform::qt {

// A check box that answers a click anywhere in its area, the blank after its
// caption included, as a Windows check box does.
class WholeAreaCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& at) const override { return rect().contains(at); }
};

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
// label's tooltip, worked out when the tooltip is asked for.
class Label : public QLabel {
public:
    using QLabel::QLabel;
    bool cutOff() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// A frame whose etched border starts half a line down, with the caption in
// its top edge, over the border.
class OptionsFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A single-selection list as on Windows: rows sized so that exactly `rows`
// whole rows fill its inside; once an entry is selected one stays selected
// (Ctrl+click and Ctrl+Space do not clear it); its scroll bar draws a thumb
// even at this small height.
class GameListView : public QListView {
public:
    GameListView(int rows, QWidget* parent);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void sizeRows();
    class RowDelegate;
    RowDelegate* rowDelegate_;
    int rows_;
};

// A sunken box that draws its picture unscaled at its inner top-left corner,
// clipped to its inside. Only the part it shows is read, when first painted.
class PictureBox : public QFrame {
public:
    PictureBox(std::span<const unsigned char> file, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::span<const unsigned char> file_;
    QImage shown_;
};

// An image whose picture shows the light grey in the window's colour of the
// moment: made anew when the palette changes, a dark one included.
class FaceImage : public QLabel {
public:
    FaceImage(std::span<const unsigned char> file, QSize size, QWidget* parent);

protected:
    void changeEvent(QEvent* event) override;

private:
    void showPicture();
    std::span<const unsigned char> file_;
    QSize size_;
};

}  // namespace varnsel::platform::qt
