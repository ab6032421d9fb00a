/* The window handle that C libraries hold: an engine told "post message M
 * to this window" keeps a vx_hwnd and calls vx_post_message, from any thread.
 *
 * The handle is a small table of functions filled in by whoever owns the
 * window (the main program's window layer, or a test). Its contract:
 *  - post may be called from any thread, at any time, also after the window
 *    is gone (it then returns 0 and the message is dropped), so an engine
 *    never needs to know when a window dies;
 *  - a handle stays valid memory for the life of the process;
 *  - id is a stable number that names the window on command lines and
 *    sockets (as a window handle's value does on Windows). */
#ifndef ORVILO_PLATFORM_ABI_VX_HWND_H
#define ORVILO_PLATFORM_ABI_VX_HWND_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct vx_window_handle* vx_hwnd;

struct vx_window_handle {
  uint32_t id;
  /* Queue the message for the window's thread; 1 when queued, 0 when the
   * window no longer exists. */
  int (*post)(vx_hwnd window, uint32_t message, uintptr_t wparam, intptr_t lparam);
  void* owner;
};

static inline int vx_post_message(vx_hwnd window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  return (window != 0 && window->post != 0) ? window->post(window, message, wparam, lparam) : 0;
}

#ifdef __cplusplus
}
#endif

#endif
