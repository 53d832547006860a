// The two controls that need more from Qt than a signal: a text field that reports
// gaining and losing the focus, and a picture that reports a click.
#pragma once

#include <QLabel>
#include <QLineEdit>

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

class PictureControl : public QLabel {
    Q_OBJECT
  public:
    PictureControl(int controlId, int windowId, QWidget* parent);

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    int controlId_;
    int windowId_;
};

} // namespace toolkit
