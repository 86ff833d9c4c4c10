// The pictures are compiled into this library; this file gives it a translation unit.
