// A private X server with one program on it, driven the way a person drives it: windows found by
// their titles, the pointer moved and clicked and keys typed through the XTest extension, and the
// screen read back pixel by pixel. Shared by the end-to-end test and the start-up benchmark.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Xlib's own types, without its macros (None, Status, Bool...) in every file that includes this.
using Display = struct _XDisplay;
using XWindow = unsigned long;

namespace morvel::e2e {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

// Seconds since the program started: the time stamp of every line the drivers print.
double Elapsed();
// One line on standard output, stamped, flushed at once (a CI log shows how far a run got).
void Say(const std::string& line);

// Polls `done` every `step` until it holds or `timeout` has passed; true when it held.
bool WaitFor(const std::function<bool()>& done, Milliseconds timeout,
             Milliseconds step = Milliseconds(10));

// A child process that cannot outlive us: the kernel sends it SIGTERM when we die, however we
// die (a failed check, a signal, ctest's timeout).
class Child {
  public:
    Child() = default;
    // `unset` names variables of our environment the child does not get; `set` adds NAME=VALUE
    // entries. Standard output and error go to /dev/null when `quiet`. Of our other open files
    // the child keeps only `keepFd`.
    static std::optional<Child> Start(const std::vector<std::string>& argv,
                                      const std::vector<std::string>& unset = {},
                                      const std::vector<std::string>& set = {}, bool quiet = false,
                                      int keepFd = -1);
    Child(Child&& other) noexcept;
    Child& operator=(Child&& other) noexcept;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child();

    pid_t Pid() const { return pid_; }
    bool Running();
    // SIGTERM, then SIGKILL if it has not gone within `grace`; reaps it.
    void Stop(Milliseconds grace = Milliseconds(2000));
    // SIGKILL, as a crash of the desktop session would end it; reaps it.
    void Kill();
    // Once it has ended: whether it exited with status 0.
    bool ExitedCleanly() const { return pid_ == -1 && status_ == 0; }

  private:
    explicit Child(pid_t pid) : pid_(pid) {}
    pid_t pid_ = -1;
    int status_ = -1;  // as waitpid gives it, once reaped
};

// A folder of our own under /tmp, removed with all it holds when it goes.
class TempDir {
  public:
    TempDir() = default;
    static std::optional<TempDir> Make();
    TempDir(TempDir&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }
    TempDir& operator=(TempDir&& other) noexcept;
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();
    const std::string& Path() const { return path_; }
    // Every file and folder below it, by its path from it.
    std::vector<std::string> Contents() const;

  private:
    std::string path_;
};

// Xvfb on a display it picks itself (-displayfd), so parallel runs never race for a number.
class XServer {
  public:
    static bool Installed();
    // Empty when Xvfb does not come up; `why` says what went wrong.
    static std::optional<XServer> Start(std::string* why, int width = 1280, int height = 1024);
    const std::string& Name() const { return name_; }  // ":N"
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Starts a Qt program on this screen, whatever platform or scaling our environment asks for,
    // with a home folder of this server's own (never the person's, whose kept game it would
    // find); its messages go to /dev/null when `quiet`. `environment` adds NAME=VALUE entries,
    // or replaces those of the same name.
    std::optional<Child> StartProgram(const std::vector<std::string>& argv, bool quiet = false,
                                      const std::vector<std::string>& environment = {}) const;
    // HOME and the configuration and data folders under it, for a program's environment.
    static std::vector<std::string> HomeAt(const std::string& home);
    const std::string& Home() const { return home_.Path(); }

  private:
    XServer() = default;
    Child process_;
    std::string name_;
    int width_ = 0;
    int height_ = 0;
    TempDir home_;
};

// What every driver does first: once `seconds` have passed the run stops with a message and
// status 1, whatever it is doing. False when Xvfb is not installed (said on standard output),
// with the status to end with: 77, ctest's skip.
bool BeginRun(unsigned seconds, int* status);

// BeginRun, then Xvfb starts with a screen of `width` x `height`. Empty when it cannot (said on
// standard output) with the status to end with: 77 without Xvfb, else 1.
std::optional<XServer> StartRun(unsigned seconds, int* status, int width = 1280, int height = 1024);

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
std::string ToString(Rgb colour);

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    int CentreX() const { return left + width / 2; }
    int CentreY() const { return top + height / 2; }
    Box Moved(int dx, int dy) const { return {left + dx, top + dy, width, height}; }
};

// Pixels read from the screen, addressed in screen coordinates.
class Shot {
  public:
    Shot(Box box, std::vector<Rgb> pixels) : box_(box), pixels_(std::move(pixels)) {}
    const Box& Area() const { return box_; }
    Rgb At(int x, int y) const {
        return pixels_[static_cast<size_t>((y - box_.top) * box_.width + (x - box_.left))];
    }
    int Count(const std::function<bool(Rgb)>& matches) const;
    // Pixels that differ from the same box read earlier.
    int CountDifferent(const Shot& earlier) const;
    bool operator==(const Shot& other) const { return pixels_ == other.pixels_; }

  private:
    Box box_;
    std::vector<Rgb> pixels_;
};

// One connection to the server, for finding windows, reading pixels and sending input.
class XScreen {
  public:
    explicit XScreen(const std::string& display);
    ~XScreen();
    XScreen(const XScreen&) = delete;
    XScreen& operator=(const XScreen&) = delete;
    bool Connected() const { return display_ != nullptr; }

    // A top-level window that is mapped and whose title (_NET_WM_NAME, UTF-8) `matches`.
    std::optional<XWindow> FindWindow(const std::function<bool(std::string_view)>& matches);
    std::optional<XWindow> FindWindowTitled(std::string_view part) {
        return FindWindow([part](std::string_view t) { return t.find(part) != t.npos; });
    }
    std::vector<std::string> ShownTitles();
    bool Shown(XWindow window);
    // Place and size on the screen; there is no window manager, so no frame around it.
    Box Geometry(XWindow window);

    Shot Grab(const Box& box);
    // One pixel of the screen: what a poll reads, so that it does not slow what it waits for.
    Rgb Pixel(int x, int y) { return Grab({x, y, 1, 1}).At(x, y); }

    void MovePointer(int x, int y);
    void Click(int x, int y);
    // The first button held from one point to another, the pointer moved in steps, as a hand
    // would drag.
    void Drag(int fromX, int fromY, int toX, int toY);
    // The keyboard goes to `window`, as it would after a person clicked into it.
    void Focus(XWindow window);
    // A key, with a modifier key held (Alt_L, Shift_L...) when one is given.
    void Key(unsigned long keysym, unsigned long modifier = 0);
    // A key pressed while `modifier` (a key such as Alt) is held.
    void Chord(unsigned long modifier, unsigned long keysym) { Key(keysym, modifier); }
    // Letters and digits, as typed on a US keyboard.
    void Type(std::string_view text);

  private:
    void Flush();
    Display* display_ = nullptr;
};

}  // namespace morvel::e2e
