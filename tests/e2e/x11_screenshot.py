"""Reads a window's pixels from the X server: a list of rows of (red, green, blue)."""

import ctypes
import ctypes.util

_ZPixmap = 2
_AllPlanes = 0xFFFFFFFF


class _XImage(ctypes.Structure):
    _fields_ = [
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int),
        ("data", ctypes.POINTER(ctypes.c_ubyte)),
        ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int),
        ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int),
        ("red_mask", ctypes.c_ulong),
        ("green_mask", ctypes.c_ulong),
        ("blue_mask", ctypes.c_ulong),
    ]


def _shift(mask):
    shift = 0
    while mask and not mask & 1:
        mask >>= 1
        shift += 1
    return shift


def grab_window(display_name, window, width, height):
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XGetImage.restype = ctypes.POINTER(_XImage)
    xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                               ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    xlib.XDestroyImage = None  # a macro; the image's own destroy function is not needed here
    xlib.XFree.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]

    display = xlib.XOpenDisplay(display_name.encode())
    if not display:
        raise RuntimeError("cannot open display " + display_name)
    try:
        image = xlib.XGetImage(display, window, 0, 0, width, height, _AllPlanes, _ZPixmap)
        if not image:
            raise RuntimeError("XGetImage failed")
        picture = image.contents
        if picture.bits_per_pixel != 32:
            raise RuntimeError("unexpected %d bits per pixel" % picture.bits_per_pixel)
        masks = [(picture.red_mask, _shift(picture.red_mask)),
                 (picture.green_mask, _shift(picture.green_mask)),
                 (picture.blue_mask, _shift(picture.blue_mask))]
        data = ctypes.string_at(picture.data, picture.bytes_per_line * picture.height)
        rows = []
        for y in range(picture.height):
            row = []
            for x in range(picture.width):
                offset = y * picture.bytes_per_line + x * 4
                pixel = int.from_bytes(data[offset:offset + 4], "little")
                row.append(tuple((pixel & mask) >> shift for mask, shift in masks))
            rows.append(row)
        xlib.XFree(picture.data)
        xlib.XFree(image)
        return rows
    finally:
        xlib.XCloseDisplay(display)
