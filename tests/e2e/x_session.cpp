#include "x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

extern char** environ;

namespace morvel::e2e {

namespace {

const Clock::time_point kStart = Clock::now();

bool ExecutableOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return false;
    std::string_view rest(path);
    while (!rest.empty()) {
        const size_t colon = rest.find(':');
        const std::string dir(rest.substr(0, colon));
        if (access((dir + "/" + name).c_str(), X_OK) == 0) return true;
        if (colon == rest.npos) break;
        rest.remove_prefix(colon + 1);
    }
    return false;
}

// Xlib reports a failed request by exiting the process; a window that goes away between our
// finding it and asking about it is normal here, so such errors are only noted.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

double Elapsed() {
    return std::chrono::duration<double>(Clock::now() - kStart).count();
}

void Say(const std::string& line) {
    std::printf("[%7.3fs] %s\n", Elapsed(), line.c_str());
    std::fflush(stdout);
}

bool WaitFor(const std::function<bool()>& done, Milliseconds timeout, Milliseconds step) {
    const Clock::time_point end = Clock::now() + timeout;
    while (true) {
        if (done()) return true;
        if (Clock::now() >= end) return false;
        std::this_thread::sleep_for(step);
    }
}

std::optional<Child> Child::Start(const std::vector<std::string>& argv,
                                  const std::vector<std::string>& unset,
                                  const std::vector<std::string>& set, bool quiet, int keepFd) {
    // Everything the child needs is built before fork: between fork and exec only
    // async-signal-safe calls are allowed.
    std::vector<std::string> environment;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string_view entry(*e);
        const std::string_view name = entry.substr(0, entry.find('='));
        bool dropped = false;
        for (const std::string& u : unset)
            dropped = dropped || name == u;
        for (const std::string& s : set)
            dropped = dropped || name == std::string_view(s).substr(0, s.find('='));
        if (!dropped) environment.emplace_back(entry);
    }
    environment.insert(environment.end(), set.begin(), set.end());
    std::vector<char*> envp;
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = argv;
    std::vector<char*> argp;
    for (std::string& a : args)
        argp.push_back(a.data());
    argp.push_back(nullptr);

    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) return std::nullopt;
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(127);  // we died before the line above
        if (quiet) {
            const int null = open("/dev/null", O_RDWR);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        // Everything else stays ours: the child must not hold the test's pipes open.
        for (int fd = 3; fd < 1024; ++fd) {
            if (fd != keepFd) close(fd);
        }
        if (std::strchr(argp[0], '/') != nullptr) {
            execve(argp[0], argp.data(), envp.data());
        } else {
            execvpe(argp[0], argp.data(), envp.data());
        }
        _exit(127);
    }
    return Child(pid);
}

Child::Child(Child&& other) noexcept : pid_(other.pid_) {
    other.pid_ = -1;
}

Child& Child::operator=(Child&& other) noexcept {
    if (this != &other) {
        Stop();
        pid_ = other.pid_;
        other.pid_ = -1;
    }
    return *this;
}

Child::~Child() {
    Stop();
}

bool Child::Running() {
    if (pid_ <= 0) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        status_ = status;
        return false;
    }
    return true;
}

void Child::Kill() {
    if (!Running()) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, &status_, 0);
    pid_ = -1;
}

std::optional<TempDir> TempDir::Make() {
    char pattern[] = "/tmp/morvel-e2e-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return std::nullopt;
    TempDir dir;
    dir.path_ = pattern;
    return dir;
}

TempDir& TempDir::operator=(TempDir&& other) noexcept {
    if (this != &other) {
        std::swap(path_, other.path_);
    }
    return *this;
}

TempDir::~TempDir() {
    if (path_.empty()) return;
    std::error_code ignored;
    // A folder a test made read-only is made writable again, to go.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempDir::Contents() const {
    std::vector<std::string> found;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
        found.push_back(std::filesystem::relative(it->path(), path_).string());
    return found;
}

void Child::Stop(Milliseconds grace) {
    if (!Running()) return;
    kill(pid_, SIGTERM);
    const bool gone = WaitFor([this] { return !Running(); }, grace, Milliseconds(5));
    if (!gone) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
}

bool XServer::Installed() {
    return ExecutableOnPath("Xvfb");
}

std::optional<XServer> XServer::Start(std::string* why, int width, int height) {
    int ready[2];
    if (pipe(ready) != 0) {
        *why = "no pipe";
        return std::nullopt;
    }
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    std::optional<Child> process = Child::Start({"Xvfb", "-displayfd", std::to_string(ready[1]),
                                                 "-screen", "0", screen, "-nolisten", "tcp"},
                                                {}, {}, /*quiet=*/true, /*keepFd=*/ready[1]);
    close(ready[1]);
    if (!process) {
        close(ready[0]);
        *why = "cannot start Xvfb";
        return std::nullopt;
    }
    // Xvfb writes its display number once it takes connections.
    std::string number;
    const Clock::time_point end = Clock::now() + Milliseconds(20000);
    while (Clock::now() < end) {
        pollfd p{ready[0], POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        char c;
        if (read(ready[0], &c, 1) != 1) break;
        if (c == '\n') break;
        number += c;
    }
    close(ready[0]);
    if (number.empty() || !process->Running()) {
        *why = "Xvfb did not come up";
        return std::nullopt;
    }
    std::optional<TempDir> home = TempDir::Make();
    if (!home) {
        *why = "cannot make a home folder under /tmp";
        return std::nullopt;
    }
    XServer server;
    server.process_ = std::move(*process);
    server.name_ = ":" + number;
    server.width_ = width;
    server.height_ = height;
    server.home_ = std::move(*home);
    return server;
}

std::vector<std::string> XServer::HomeAt(const std::string& home) {
    return {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config",
            "XDG_DATA_HOME=" + home + "/.local/share", "XDG_CACHE_HOME=" + home + "/.cache"};
}

std::optional<Child> XServer::StartProgram(const std::vector<std::string>& argv, bool quiet,
                                           const std::vector<std::string>& environment) const {
    std::vector<std::string> set = HomeAt(home_.Path());
    set.push_back("DISPLAY=" + name_);
    for (const std::string& entry : environment) {
        const std::string name = entry.substr(0, entry.find('=') + 1);
        std::erase_if(set, [&](const std::string& e) { return e.starts_with(name); });
        set.push_back(entry);
    }
    return Child::Start(argv,
                        {"QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                         "QT_FONT_DPI", "QT_ENABLE_HIGHDPI_SCALING"},
                        set, quiet);
}

namespace {

void OnRunLimit(int) {
    static const char kMessage[] = "FAILED: the run took longer than its limit; stopping\n";
    [[maybe_unused]] const ssize_t n = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    // The X server and the program get SIGTERM from the kernel as we go.
    _exit(1);
}

}  // namespace

bool BeginRun(unsigned seconds, int* status) {
    if (!XServer::Installed()) {
        std::printf("SKIPPED: Xvfb is not installed (./morvel installs it)\n");
        *status = 77;
        return false;
    }
    signal(SIGALRM, OnRunLimit);
    alarm(seconds);
    return true;
}

std::optional<XServer> StartRun(unsigned seconds, int* status, int width, int height) {
    if (!BeginRun(seconds, status)) return std::nullopt;
    std::string why;
    std::optional<XServer> server = XServer::Start(&why, width, height);
    if (!server) {
        std::printf("FAILED: %s\n", why.c_str());
        *status = 1;
    }
    return server;
}

std::string ToString(Rgb colour) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d,%d,%d)", colour.r, colour.g, colour.b);
    return text;
}

int Shot::Count(const std::function<bool(Rgb)>& matches) const {
    int n = 0;
    for (const Rgb& p : pixels_)
        n += matches(p) ? 1 : 0;
    return n;
}

int Shot::CountDifferent(const Shot& earlier) const {
    int n = 0;
    for (size_t i = 0; i < pixels_.size() && i < earlier.pixels_.size(); ++i)
        n += pixels_[i] == earlier.pixels_[i] ? 0 : 1;
    return n;
}

XScreen::XScreen(const std::string& display) {
    XSetErrorHandler(IgnoreXError);
    display_ = XOpenDisplay(display.c_str());
    if (display_ == nullptr) return;
    int event, error, major, minor;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
}

XScreen::~XScreen() {
    if (display_ != nullptr) XCloseDisplay(display_);
}

std::optional<XWindow> XScreen::FindWindow(const std::function<bool(std::string_view)>& matches) {
    const Atom netWmName = XInternAtom(display_, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    Window root, parent;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count))
        return std::nullopt;
    std::optional<XWindow> found;
    // The topmost first: a window opened later lies above the ones before it.
    for (unsigned int i = count; i-- > 0 && !found;) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display_, children[i], &attributes) ||
            attributes.map_state != IsViewable)
            continue;
        Atom type;
        int format;
        unsigned long items, after;
        unsigned char* title = nullptr;
        if (XGetWindowProperty(display_, children[i], netWmName, 0, 1024, False, utf8, &type,
                               &format, &items, &after, &title) == Success &&
            title != nullptr) {
            if (matches(std::string_view(reinterpret_cast<const char*>(title), items)))
                found = children[i];
            XFree(title);
        }
    }
    if (children != nullptr) XFree(children);
    return found;
}

std::vector<std::string> XScreen::ShownTitles() {
    std::vector<std::string> titles;
    FindWindow([&titles](std::string_view t) {
        titles.emplace_back(t);
        return false;
    });
    return titles;
}

bool XScreen::Shown(XWindow window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display_, window, &attributes) &&
           attributes.map_state == IsViewable;
}

Box XScreen::Geometry(XWindow window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes)) return {};
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

Shot XScreen::Grab(const Box& box) {
    std::vector<Rgb> pixels(static_cast<size_t>(box.width * box.height));
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), box.left, box.top,
                              static_cast<unsigned>(box.width), static_cast<unsigned>(box.height),
                              AllPlanes, ZPixmap);
    if (image == nullptr) return Shot(box, std::move(pixels));
    // The usual 24-bit visual, read straight from the image's bytes: asking Xlib pixel by pixel
    // took milliseconds for a window, and a poll that slow delays what it measures.
    if (image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
        image->red_mask == 0xff0000 && image->green_mask == 0xff00 && image->blue_mask == 0xff) {
        for (int y = 0; y < box.height; ++y) {
            const auto* row = reinterpret_cast<const uint8_t*>(image->data) +
                              static_cast<ptrdiff_t>(y) * image->bytes_per_line;
            for (int x = 0; x < box.width; ++x) {
                const uint8_t* p = row + 4 * x;  // blue, green, red, unused
                pixels[static_cast<size_t>(y * box.width + x)] = {p[2], p[1], p[0]};
            }
        }
        XDestroyImage(image);
        return Shot(box, std::move(pixels));
    }
    auto channel = [](unsigned long pixel, unsigned long mask) {
        int shift = 0;
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            ++shift;
        }
        return static_cast<uint8_t>((pixel >> shift) & 0xff);
    };
    for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            pixels[static_cast<size_t>(y * box.width + x)] = {channel(p, image->red_mask),
                                                              channel(p, image->green_mask),
                                                              channel(p, image->blue_mask)};
        }
    }
    XDestroyImage(image);
    return Shot(box, std::move(pixels));
}

void XScreen::Flush() {
    XSync(display_, False);
}

void XScreen::MovePointer(int x, int y) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    Flush();
}

void XScreen::Click(int x, int y) {
    MovePointer(x, y);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    Flush();
}

void XScreen::Drag(int fromX, int fromY, int toX, int toY) {
    MovePointer(fromX, fromY);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    Flush();
    std::this_thread::sleep_for(Milliseconds(200));
    constexpr int kSteps = 10;
    for (int step = 1; step <= kSteps; ++step) {
        MovePointer(fromX + (toX - fromX) * step / kSteps, fromY + (toY - fromY) * step / kSteps);
        std::this_thread::sleep_for(Milliseconds(20));
    }
    std::this_thread::sleep_for(Milliseconds(100));
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    Flush();
    // A window manager moving a window holds the pointer and the keyboard until it has seen the
    // release: keys sent before then would go to it.
    const Window root = DefaultRootWindow(display_);
    WaitFor(
        [&] {
            const bool free = XGrabPointer(display_, root, False, 0, GrabModeAsync, GrabModeAsync,
                                           None, None, CurrentTime) == GrabSuccess &&
                              XGrabKeyboard(display_, root, False, GrabModeAsync, GrabModeAsync,
                                            CurrentTime) == GrabSuccess;
            XUngrabKeyboard(display_, CurrentTime);
            XUngrabPointer(display_, CurrentTime);
            Flush();
            return free;
        },
        Milliseconds(3000));
}

void XScreen::Focus(XWindow window) {
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    Flush();
}

void XScreen::Key(unsigned long keysym, unsigned long modifier) {
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    const KeyCode held = modifier != 0 ? XKeysymToKeycode(display_, modifier) : 0;
    if (held != 0) XTestFakeKeyEvent(display_, held, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (held != 0) XTestFakeKeyEvent(display_, held, False, CurrentTime);
    Flush();
}

void XScreen::Type(std::string_view text) {
    const KeyCode shift = XKeysymToKeycode(display_, XK_Shift_L);
    for (char c : text) {
        const bool upper = std::isupper(static_cast<unsigned char>(c)) != 0;
        const char name[2] = {static_cast<char>(std::tolower(static_cast<unsigned char>(c))), 0};
        const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(name));
        if (upper) XTestFakeKeyEvent(display_, shift, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, False, CurrentTime);
        if (upper) XTestFakeKeyEvent(display_, shift, False, CurrentTime);
    }
    Flush();
}

}  // namespace morvel::e2e
