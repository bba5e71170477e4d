// startup_probe [--settle MS] --title TITLE -- COMMAND [ARG...]
//
// Starts COMMAND and waits for a top-level window named TITLE to be mapped
// on the X display, then lets the program settle for MS milliseconds
// (default 500) and reads its memory. Prints one line:
//   map_ms=<start to window mapped> hwm_kib=<peak resident memory of the
//   process> tree_rss_kib=<resident memory of it and all its descendants>
// then stops the program. The window is seen through the X server itself,
// so the program needs no hook of its own. Needs a display without a window
// manager (Xvfb), where top-level windows are children of the root window.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <dirent.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct DisplayCloser {
  void operator()(Display* display) const noexcept { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

std::string WindowName(Display* display, Window window) {
  const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::string name;
  if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format, &count,
                         &after, &data) == Success &&
      data != nullptr) {
    name.assign(reinterpret_cast<const char*>(data), count);
  }
  if (data != nullptr) XFree(data);
  return name;
}

// A field such as "VmHWM:" of /proc/PID/status, in KiB; 0 when absent.
long StatusKib(pid_t pid, const char* field) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  const std::size_t length = std::strlen(field);
  while (std::getline(status, line)) {
    if (line.compare(0, length, field) == 0) return std::atol(line.c_str() + length);
  }
  return 0;
}

// Resident memory of `root` and every process below it, in KiB.
long TreeRssKib(pid_t root) {
  std::map<pid_t, std::vector<pid_t>> children;
  if (DIR* proc = opendir("/proc")) {
    while (const dirent* entry = readdir(proc)) {
      const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
      if (pid <= 0) continue;
      std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
      std::string text;
      std::getline(stat, text);
      // The parent's id is the second field after the command's closing ')'.
      const std::size_t close = text.rfind(')');
      if (close == std::string::npos) continue;
      std::istringstream rest(text.substr(close + 1));
      std::string state;
      pid_t parent = 0;
      rest >> state >> parent;
      children[parent].push_back(pid);
    }
    closedir(proc);
  }
  long total = 0;
  std::vector<pid_t> pending{root};
  while (!pending.empty()) {
    const pid_t pid = pending.back();
    pending.pop_back();
    total += StatusKib(pid, "VmRSS:");
    for (const pid_t child : children[pid]) pending.push_back(child);
  }
  return total;
}

int Usage() {
  std::fprintf(stderr, "usage: startup_probe [--settle MS] --title TITLE -- COMMAND [ARG...]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string title;
  long settleMs = 500;
  int commandAt = -1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--title" && i + 1 < argc) {
      title = argv[++i];
    } else if (arg == "--settle" && i + 1 < argc) {
      settleMs = std::atol(argv[++i]);
    } else if (arg == "--") {
      commandAt = i + 1;
      break;
    } else {
      return Usage();
    }
  }
  if (title.empty() || commandAt < 0 || commandAt >= argc) return Usage();

  const DisplayHandle display(XOpenDisplay(nullptr));
  if (!display) {
    std::fprintf(stderr, "startup_probe: no X display\n");
    return 2;
  }
  // Watch before starting, so no map can be missed.
  XSelectInput(display.get(), DefaultRootWindow(display.get()), SubstructureNotifyMask);
  XSync(display.get(), False);

  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child < 0) return 2;
  if (child == 0) {
    execvp(argv[commandAt], argv + commandAt);
    std::_Exit(127);
  }

  const int fd = ConnectionNumber(display.get());
  double mapMs = -1;
  while (mapMs < 0) {
    if (XPending(display.get()) == 0) {
      fd_set ready;
      FD_ZERO(&ready);
      FD_SET(fd, &ready);
      timeval timeout{60, 0};
      if (select(fd + 1, &ready, nullptr, nullptr, &timeout) <= 0) break;
      continue;
    }
    XEvent event;
    XNextEvent(display.get(), &event);
    if (event.type == MapNotify && WindowName(display.get(), event.xmap.window) == title) {
      mapMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                  .count();
    }
  }

  int code = 0;
  if (mapMs < 0) {
    std::fprintf(stderr, "startup_probe: no window \"%s\" within 60 s\n", title.c_str());
    code = 1;
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    std::printf("map_ms=%.1f hwm_kib=%ld tree_rss_kib=%ld\n", mapMs, StatusKib(child, "VmHWM:"),
                TreeRssKib(child));
    std::fflush(stdout);
  }
  kill(child, SIGTERM);
  int status = 0;
  waitpid(child, &status, 0);
  return code;
}
