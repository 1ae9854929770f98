// shown_window_probe TITLE PROGRAM [ARGS...]
// Starts PROGRAM and prints the milliseconds until a viewable X window titled TITLE appears, then
// ends the program. Run it inside an X server; the programs measured are the same the user starts
// (wine64 Varokin.exe, the Qt program), so the figure includes everything they do before showing.
#define _POSIX_C_SOURCE 200809L
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static int Titled(Display* display, Window window, const char* title) {
  int found = 0;
  Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
  Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* value = NULL;
  if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                         &after, &value) == Success &&
      value != NULL) {
    found = strcmp((const char*)value, title) == 0;
    XFree(value);
    if (found) return 1;
  }
  char* name = NULL;
  if (XFetchName(display, window, &name) && name != NULL) {
    found = strcmp(name, title) == 0;
    XFree(name);
  }
  return found;
}

// A viewable window of that title anywhere below window.
static int Shown(Display* display, Window window, const char* title) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return 0;
  if (attributes.map_state != IsViewable) return 0;
  if (Titled(display, window, title)) return 1;
  Window root, parent, *children = NULL;
  unsigned int count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
  int found = 0;
  for (unsigned int i = 0; i < count && !found; ++i) found = Shown(display, children[i], title);
  if (children) XFree(children);
  return found;
}

static int IgnoreErrors(Display* display, XErrorEvent* error) {
  (void)display;
  (void)error;
  return 0;  // windows come and go while the tree is walked
}

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: %s TITLE PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "no X display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreErrors);
  const double start = Now();
  const pid_t child = fork();
  if (child == 0) {
    setpgid(0, 0);
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  setpgid(child, child);
  int shown = 0;
  double elapsed = 0;
  while (Now() - start < 60000) {
    if (Shown(display, DefaultRootWindow(display), argv[1])) {
      elapsed = Now() - start;
      shown = 1;
      break;
    }
    int status;
    if (waitpid(child, &status, WNOHANG) == child) break;
    nanosleep(&(struct timespec){0, 1000000}, NULL);
  }
  kill(-child, SIGTERM);
  waitpid(child, NULL, 0);
  XCloseDisplay(display);
  if (!shown) {
    fprintf(stderr, "no window \"%s\" was shown\n", argv[1]);
    return 1;
  }
  printf("%.1f\n", elapsed);
  return 0;
}
