#pragma once

#include <QByteArrayView>
#include <QImage>

// The pictures the main window shows at start are PNG files with their pixels stored, not
// compressed (scripts/store-png.py): 8-bit palette, no interlacing, every row unfiltered, the
// image data in zlib's stored blocks. Reading such a file is a copy of its rows; Qt's reader
// would inflate, check and convert them, about a tenth of the window's start-up.
namespace toolkit {

// The picture of a stored PNG file, as Qt's own reader gives it: 8-bit indexed with the file's
// palette and transparency, and its resolution. Any other file, or one that is damaged, gives
// a null image, so that the caller can hand it to Qt's reader instead.
QImage ReadStoredPng(QByteArrayView file);

} // namespace toolkit
