// Starts a program and waits until a pixel of the screen has the given colour; prints the time that
// took in milliseconds, the program's process id, and the time until the pixel first changed from
// what it was (a window showed there) ("timeout" after 20 seconds). The program is left running.
//   pixel_wait X Y RRGGBB PROGRAM [ARGUMENT…]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static long long now(void)
{
    struct timespec time;
    clock_gettime(CLOCK_MONOTONIC, &time);
    return (long long)time.tv_sec * 1000000000LL + time.tv_nsec;
}

int main(int argc, char** argv)
{
    if (argc < 5)
        return 2;
    int x = atoi(argv[1]), y = atoi(argv[2]);
    unsigned long wanted = strtoul(argv[3], NULL, 16);
    Display* display = XOpenDisplay(NULL);
    if (!display)
        return 1;
    Window root = DefaultRootWindow(display);
    XImage* before = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
    unsigned long first = before ? (XGetPixel(before, 0, 0) & 0xFFFFFF) : 0;
    if (before)
        XDestroyImage(before);
    double changed = -1;
    long long start = now();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    while (now() - start < 20000000000LL) {
        XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
        unsigned long pixel = image ? (XGetPixel(image, 0, 0) & 0xFFFFFF) : 0;
        if (image)
            XDestroyImage(image);
        if (pixel != first && changed < 0)
            changed = (now() - start) / 1e6;
        if (pixel == wanted) {
            printf("%.1f %d %.1f\n", (now() - start) / 1e6, (int)child, changed < 0 ? (now() - start) / 1e6 : changed);
            return 0;
        }
        usleep(2000);
    }
    printf("timeout %d timeout\n", (int)child);
    return 1;
}
