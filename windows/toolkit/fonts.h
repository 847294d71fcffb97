#pragma once

#include <QFont>

// The two typefaces every window uses, carried inside the executable so that the windows
// look the same on every machine: Liberation Sans for the dialog font, Liberation Serif for
// the small serif captions.
namespace toolkit {

enum class Face { Sans, Serif };

// A font as the layout tables give it: face, size in points at 96 dpi, style.
struct FontDecl {
    Face face = Face::Sans;
    double points = 8.25;
    bool bold = false;
    bool underline = false;
    friend constexpr bool operator==(const FontDecl&, const FontDecl&) = default;
};

// Registers the embedded fonts with Qt; safe to call any number of times, and before the
// application exists, in which case they are registered when it is constructed.
void LoadFonts();

// The font for a declaration, sized in pixels (points × 96 / 72) so that text keeps its
// size against the pixel layout whatever the screen's dpi setting.
QFont MakeFont(const FontDecl& decl);

// The window font: Liberation Sans 8.25 pt, regular.
QFont WindowFont();

} // namespace toolkit
