// A top-level window of the program: an optional menu bar on top of a plain client
// area in which controls sit at absolute client coordinates.
#pragma once

#include <QAbstractButton>
#include <QMargins>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QTimer>
#include <QToolBar>
#include <QWidget>

#include <map>
#include <vector>

namespace toolkit {

// Where a window whose outer size (frame included) is outer goes when centred on its
// screen (CentredFramePosition of internal/frame_fit.h on the window's screen).
QPoint CentredOuterPosition(const QWidget& window, QSize outer);

class ToolkitWindow;

// The program's windows shown maximized on screen.
std::vector<const ToolkitWindow*> MaximizedWindowsOn(const QScreen* screen);

// The work area of the window's screen (WorkArea of internal/frame_fit.h over the
// program's own maximized windows there).
QRect WorkAreaOf(const QWidget& window);

// The client area. It keeps its status bar and toolbar along its edges.
class ClientArea : public QWidget {
    Q_OBJECT
  public:
    explicit ClientArea(QWidget* parent);
    // Places status bars and toolbars again after a change of size or window state.
    void PlaceEdgeBars();

  protected:
    void resizeEvent(QResizeEvent* event) override;
};

class ToolkitWindow : public QWidget {
    Q_OBJECT
  public:
    ToolkitWindow(int windowId, unsigned options);

    int Id() const { return id_; }
    bool IsResizable() const { return resizable_; }
    ClientArea* Client() const { return client_; }

    // Takes over menuBar (which must have no parent) and places it above the client
    // area; the outer size stays, so the client area gives up the height.
    void AttachMenuBar(QMenuBar* menuBar);
    QMenuBar* MenuBar() const { return menuBar_.data(); }
    int MenuBarHeight() const;

    // Takes toolBar into the strip between the menu bar and the client area. The window
    // grows by the strip's height, so the client area keeps its size and no control lies
    // under a toolbar.
    void AttachToolBar(QToolBar* toolBar);
    // Fits the strip to its toolbars again (after buttons were added), the client area
    // keeping its size.
    void RefitToolStrip();
    int ToolStripHeight() const { return toolStripHeight_; }
    // Gives the menu bar its line again after its contents changed.
    void PlaceChildren();

    // Tab and Shift+Tab visit these in the order they were added.
    void AddToFocusOrder(QWidget* control);

    void SetTimer(int timerId, int periodMs);

    // The frame around the window as the platform reports it now (a window manager's
    // frame, or the decorations a Wayland client draws); none without one.
    QMargins FrameMargins() const;
    // Width and height the frame adds to the window (0 x 0 without one).
    QSize FrameExtra() const;
    // Centres the window again by its present outer size (for a centred window).
    void Recentre();
    bool IsCentred() const { return centred_; }

    // Escape raises a CloseEvent, as the close box does.
    void SetCloseOnEscape(bool closes) { closeOnEscape_ = closes; }

    // While one of these is alive, a change of the window's size is the program's own
    // doing and raises no SizeEvent (as SetControlText raises no ControlEvent).
    class ProgramResize {
      public:
        explicit ProgramResize(ToolkitWindow& window) : window_(window) {
            ++window_.programResizes_;
        }
        ~ProgramResize() { --window_.programResizes_; }
        ProgramResize(const ProgramResize&) = delete;
        ProgramResize& operator=(const ProgramResize&) = delete;

      private:
        ToolkitWindow& window_;
    };

    // The button that Enter in one of the window's text fields presses.
    void SetDefaultButton(QAbstractButton* button) { defaultButton_ = button; }
    QAbstractButton* DefaultButton() const { return defaultButton_.data(); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    int id_;
    bool resizable_;
    bool centred_;
    bool closeOnEscape_ = false;
    int programResizes_ = 0;
    ClientArea* client_;
    QPointer<QMenuBar> menuBar_;
    QShortcut* openFirstMenu_ = nullptr; // made with the first menu bar
    QWidget* toolStrip_ = nullptr;       // made with the first toolbar
    int toolStripHeight_ = 0;
    std::vector<QPointer<QWidget>> focusOrder_;
    std::map<int, QTimer*> timers_;
    QPointer<QAbstractButton> defaultButton_;
};

} // namespace toolkit
