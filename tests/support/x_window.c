/* Finds and closes the program's windows on an X display from outside the program, as a window
 * manager or the user would: no hook in the program is needed.
 *   x_window wait-mapped TITLE-PART SECONDS   prints the id of the first mapped top-level window
 *                                              whose name contains TITLE-PART, once there is one
 *   x_window close ID                          asks the window to close (WM_DELETE_WINDOW), as a
 *                                              close box does
 * Exit code 0 on success, 1 on timeout or failure. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static int NameContains(Display* display, Window window, const char* part) {
  XTextProperty property;
  int found = 0;
  Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
  if (XGetTextProperty(display, window, &property, netName) && property.value) {
    found = strstr((const char*)property.value, part) != NULL;
    XFree(property.value);
  }
  if (!found && XGetWMName(display, window, &property) && property.value) {
    found = strstr((const char*)property.value, part) != NULL;
    XFree(property.value);
  }
  return found;
}

static Window FindMapped(Display* display, const char* part) {
  Window root = DefaultRootWindow(display), parent, *children = NULL;
  unsigned int count = 0;
  Window found = 0;
  if (!XQueryTree(display, root, &root, &parent, &children, &count)) return 0;
  for (unsigned int i = 0; i < count && !found; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, children[i], &attributes) &&
        attributes.map_state == IsViewable && NameContains(display, children[i], part)) {
      found = children[i];
    }
  }
  if (children) XFree(children);
  return found;
}

static int WaitMapped(Display* display, const char* part, double seconds) {
  struct timespec start, now, pause = {0, 20 * 1000 * 1000};
  clock_gettime(CLOCK_MONOTONIC, &start);
  for (;;) {
    Window window = FindMapped(display, part);
    if (window) {
      printf("%lu\n", (unsigned long)window);
      return 0;
    }
    clock_gettime(CLOCK_MONOTONIC, &now);
    if ((now.tv_sec - start.tv_sec) + (now.tv_nsec - start.tv_nsec) / 1e9 > seconds) return 1;
    nanosleep(&pause, NULL);
  }
}

static int Close(Display* display, Window window) {
  XEvent event;
  memset(&event, 0, sizeof event);
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
  event.xclient.data.l[1] = CurrentTime;
  if (!XSendEvent(display, window, False, NoEventMask, &event)) return 1;
  XSync(display, False);
  return 0;
}

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "x_window: no display\n");
    return 1;
  }
  int result = 1;
  if (argc == 4 && strcmp(argv[1], "wait-mapped") == 0) {
    result = WaitMapped(display, argv[2], atof(argv[3]));
  } else if (argc == 3 && strcmp(argv[1], "close") == 0) {
    result = Close(display, (Window)strtoul(argv[2], NULL, 10));
  } else {
    fprintf(stderr, "usage: x_window wait-mapped TITLE-PART SECONDS | close ID\n");
  }
  XCloseDisplay(display);
  return result;
}
