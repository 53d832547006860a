// Looks at the program's windows on a real X server from outside, as a person would see
// them: where the window manager's frame of a window lies on the screen.
//
//   frame_probe wm                 waits (up to 10 s) until a window manager runs
//   frame_probe frame TITLE        waits (up to 10 s) for a shown window called TITLE and
//                                  prints "screen W H frame X Y W H client X Y W H"
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace {

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

std::string TitleOf(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &left, &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return title;
}

bool Shown(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

std::optional<Window> FindShown(Display* display, Window under, const std::string& title) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, under, &root, &parent, &children, &count) == 0) {
        return std::nullopt;
    }
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        if (TitleOf(display, children[i]) == title && Shown(display, children[i])) {
            found = children[i];
        } else {
            found = FindShown(display, children[i], title);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

Box OnScreen(Display* display, Window window) {
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    Window child = 0;
    int x = 0;
    int y = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

// The window manager's frame: the ancestor of the window that is a child of the root.
Window FrameOf(Display* display, Window window) {
    const Window rootWindow = DefaultRootWindow(display);
    while (true) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) {
            return window;
        }
        if (children != nullptr) {
            XFree(children);
        }
        if (parent == rootWindow || parent == 0) {
            return window;
        }
        window = parent;
    }
}

bool WindowManagerRuns(Display* display) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    const bool runs =
        XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW,
                           &type, &format, &count, &left, &data) == Success &&
        count == 1;
    if (data != nullptr) {
        XFree(data);
    }
    return runs;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: frame_probe wm | frame TITLE\n", stderr);
        return 2;
    }
    const std::unique_ptr<Display, int (*)(Display*)> connection(XOpenDisplay(nullptr),
                                                                 XCloseDisplay);
    Display* const display = connection.get();
    if (display == nullptr) {
        std::fputs("frame_probe: cannot open the display\n", stderr);
        return 2;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    const bool askWm = std::strcmp(argv[1], "wm") == 0;
    const std::string title = argc > 2 ? argv[2] : "";
    while (std::chrono::steady_clock::now() < deadline) {
        if (askWm && WindowManagerRuns(display)) {
            return 0;
        }
        if (!askWm) {
            if (const std::optional<Window> window =
                    FindShown(display, DefaultRootWindow(display), title)) {
                // Give the window manager a moment to finish placing it.
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                XSync(display, False);
                const Box frame = OnScreen(display, FrameOf(display, *window));
                const Box client = OnScreen(display, *window);
                const Screen* const screen = DefaultScreenOfDisplay(display);
                std::printf("screen %d %d frame %d %d %d %d client %d %d %d %d\n",
                            WidthOfScreen(screen), HeightOfScreen(screen), frame.x, frame.y,
                            frame.width, frame.height, client.x, client.y, client.width,
                            client.height);
                return 0;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::fprintf(stderr, "frame_probe: %s did not come within 10 s\n",
                 askWm ? "no window manager" : title.c_str());
    return 1;
}
