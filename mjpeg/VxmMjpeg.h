/* VxmMjpeg: the Motion-JPEG decoder plug-in (GStreamer element "vxmmjpegdec").
 *
 * Besides the element, the module exports one C function that programs reach by
 * loading the module by name (dlopen), calling it and closing the module again.
 */
#ifndef VXM_MJPEG_H
#define VXM_MJPEG_H

#ifdef __cplusplus
extern "C" {
#endif

#define VXM_MJPEG_EXPORT __attribute__((visibility("default")))

/* Sets the process-wide black-and-white switch read by every decoder element of this
 * module at each frame it converts: non-zero makes every later frame grey, 0 restores
 * colour. Takes effect without renegotiation; a frame being converted at that moment
 * sees either value. Returns `blackWhite`. The switch keeps its value as long as the
 * module stays loaded (a running pipeline keeps it loaded). */
VXM_MJPEG_EXPORT int SetBW(int blackWhite);

#ifdef __cplusplus
}
#endif

#endif /* VXM_MJPEG_H */
