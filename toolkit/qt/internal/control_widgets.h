// The controls that need more from Qt than a signal: a text field that reports gaining
// and losing the focus and presses its window's default button on Enter, a button that
// Enter presses, and a picture that reports a click.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace toolkit {

class TextField : public QLineEdit {
    Q_OBJECT
  public:
    TextField(int controlId, int windowId, QWidget* parent);

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    int controlId_;
    int windowId_;
};

class PushButton : public QPushButton {
    Q_OBJECT
  public:
    PushButton(const QString& text, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class PictureControl : public QLabel {
    Q_OBJECT
  public:
    PictureControl(int controlId, int windowId, QWidget* parent);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    // Smoothly scaled wherever a logical pixel is more than one on the screen (a device
    // pixel ratio of 2), rather than blown up into blocks.
    void paintEvent(QPaintEvent* event) override;

  private:
    int controlId_;
    int windowId_;
};

} // namespace toolkit
