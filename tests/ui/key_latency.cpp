// Measures how long a window takes to answer a key press: sends the key
// (with its modifiers) to the window, as X delivers it, and waits for the
// first window the press maps on the screen (a menu). Prints the
// milliseconds; exits 1 when nothing shows within two seconds.
//   key_latency WINDOW-ID KEY [alt]
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

double Now() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void Send(Display* d, Window w, KeyCode code, unsigned state, int type) {
    XKeyEvent e{};
    e.type = type;
    e.display = d;
    e.window = w;
    e.root = DefaultRootWindow(d);
    e.time = CurrentTime;
    e.same_screen = True;
    e.keycode = code;
    e.state = state;
    XSendEvent(d, w, True, KeyPressMask | KeyReleaseMask, reinterpret_cast<XEvent*>(&e));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: key_latency WINDOW-ID KEY [alt]\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 2;
    const Window target = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
    const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(argv[2]));
    const unsigned state = argc > 3 && std::strcmp(argv[3], "alt") == 0 ? Mod1Mask : 0;
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, True);
    const double start = Now();
    Send(d, target, code, state, KeyPress);
    Send(d, target, code, state, KeyRelease);
    XFlush(d);
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify) {
                std::printf("%.0f\n", Now() - start);
                XCloseDisplay(d);
                return 0;
            }
        }
        const double left = 2000 - (Now() - start);
        if (left <= 0) {
            XCloseDisplay(d);
            return 1;
        }
        pollfd p{ConnectionNumber(d), POLLIN, 0};
        poll(&p, 1, static_cast<int>(left) + 1);
    }
}
