#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

// Every picture of the program comes through here; nothing else knows where they are stored.
// They are embedded in the executable as 8-bit palette PNG files; those the main window shows
// at start are stored uncompressed and copied out without Qt's reader (stored_png.h).
namespace toolkit {

// A frame of an animation by its number, as resources/frames.h lists them: the braking strip
// (598 × 62) and the three alert texts. Any other number gives a null pixmap, so an image
// showing it goes blank instead of the program stopping.
QPixmap LoadBitmap(int number);
// The same frame as its file stores it, 8-bit indexed: a quarter of the memory of the pixmap,
// for a window that keeps many frames at hand.
QImage LoadBitmapIndexed(int number);

enum class Picture {
    Marsh,        // window background, 600 × 364
    Strip,        // the empty braking strip, the same picture as the empty-road frame
    SpeedSign,    // "60" road sign, 25 × 26
    Start,        // button "Старт", 72 × 25
    Exit,         // button "Выход", 72 × 26
    Help,         // button "Помощь", 71 × 23
    Gost,         // button "ГОСТ", 72 × 24
    Close,        // button "Закрыть", 73 × 24
    Ok,           // button "ОК" of the alert windows, 82 × 25
    Forest,       // background of the first alert window, 639 × 91
    ForestFramed, // background of the other two, with the red frame painted in, 631 × 84
    Icon,         // the blue car, 32 × 32
};

QPixmap LoadPicture(Picture picture);

// The window icon: the blue car seen from the front.
QIcon AppIcon();

// The pointing hand over the link labels; its hot spot is the finger tip at (1, 3).
QCursor HandCursor();

} // namespace toolkit
