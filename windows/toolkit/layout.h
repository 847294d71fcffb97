#pragma once

#include <QHash>
#include <QObject>
#include <QRgb>
#include <QString>
#include <QWidget>
#include <optional>
#include <span>

#include "windows/toolkit/fonts.h"
#include "windows/toolkit/pictures.h"

// Windows declare their controls as data, one table per window, in twips as designed
// (15 twips to a pixel at 96 dpi); BuildLayout turns a table into Qt widgets once.
namespace toolkit {

constexpr int kTwipsPerPixel = 15;

// Twips to pixels, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

enum class Kind {
    Label,         // toolkit::Label
    TextBox,       // QLineEdit; its change handler binds to textChanged
    CheckBox,      // QCheckBox; click handler on toggled
    OptionButton,  // toolkit::OptionButton, one group per container; click handler on toggled(true)
    CommandButton, // QPushButton; click() presses it from code, even when hidden
    Frame,         // QGroupBox, a container
    Image,         // toolkit::Image
    Line,          // toolkit::Line
    Timer,         // toolkit::Timer
    ListBox,       // QListWidget; click handler on the current row (picks from code too)
    ComboBox,      // editable QComboBox; click handler on activated (user picks only)
};

// A colour of the table; kDefault leaves the control's own colour.
using Colour = QRgb;
inline constexpr Colour kDefault = 0; // fully transparent black, never a table colour
// The colours of the windows, each named once.
inline constexpr Colour kWhite = qRgb(255, 255, 255);
inline constexpr Colour kRed = qRgb(255, 0, 0);
inline constexpr Colour kBlue = qRgb(0, 0, 192);
inline constexpr Colour kDarkGreen = qRgb(0, 64, 0);
inline constexpr Colour kLightCyan = qRgb(192, 255, 255);
inline constexpr Colour kWorkspace = qRgb(128, 128, 128); // the system application-workspace grey

enum Flag : unsigned {
    kCentred = 1u << 0,     // caption or text centred (labels: at the top)
    kTransparent = 1u << 1, // label without background: the window picture shows through
    kHandCursor = 1u << 2,  // the pointing-hand cursor over the control; a label with it is a link
    kDisabled = 1u << 3,    // a timer created disabled
    kReadout = 1u << 4,     // a label whose caption changes: screen readers read the caption,
                            // and the accessible name of the row becomes its description
    kReadOnly = 1u << 5,    // a text box only the program writes: the user can select and copy
                            // its text, never type over it
};

// One row of a window's control table. Rows go from front to back: an earlier row lies
// above a later one where they overlap. Positions are relative to the container.
struct Control {
    const char* name; // objectName
    Kind kind;
    const char* container;    // the window's own name or a frame declared earlier
    const char* caption = ""; // caption or text, UTF-8
    int left = 0, top = 0, width = 0, height = 0; // twips; a line: x1, y1, x2, y2
    FontDecl font = {};
    Colour text = kDefault; // text colour (a line: its colour)
    Colour back = kDefault; // background
    int tab = -1;           // tab index; the focus moves through the controls in this order
    unsigned flags = 0;
    std::optional<Picture> picture = {};
    const char* access = "";                 // Russian accessible name; "" for a label: its caption
    int interval = 0;                        // timers, milliseconds
    int lineWidth = 1;                       // lines, pixels
    std::span<const char* const> items = {}; // list and combo box items, UTF-8, in order
};

// Shorthand the windows' tables share, so that a row fits on a line: `using namespace
// toolkit::table;` in a layout file.
namespace table {
inline constexpr auto L = Kind::Label;
inline constexpr auto T = Kind::TextBox;
inline constexpr auto C = Kind::ComboBox;
inline constexpr auto O = Kind::OptionButton;
inline constexpr auto B = Kind::CommandButton;
inline constexpr auto F = Kind::Frame;
inline constexpr auto N = Kind::Line;
inline constexpr FontDecl kWindow{};                     // the windows' own font
inline constexpr FontDecl kBold{Face::Sans, 8.25, true}; // bold captions and buttons
inline constexpr unsigned kLabel = kTransparent;         // a caption over the background
inline constexpr unsigned kResult = kCentred | kReadOnly; // a result field

// A red line of a window's frame from (x1, y1) to (x2, y2), two pixels wide unless told.
constexpr Control RedLine(const char* name, const char* container, int x1, int y1, int x2, int y2,
                          int width = 2, const char* access = "Красная рамка") {
    return {.name = name,
            .kind = Kind::Line,
            .container = container,
            .left = x1,
            .top = y1,
            .width = x2,
            .height = y2,
            .text = kRed,
            .access = access,
            .lineWidth = width};
}
} // namespace table

class OptionGroup;

// Ends the program with the name that was not found: a mistyped control name is a programming
// error that must show at the first start, in every build type, never as a null pointer.
[[noreturn]] void MissingControl(const QString& name, const char* kind);

// The controls of one window by name (the window itself under its own name).
class Controls {
public:
    void add(QObject* object) { byName_.insert(object->objectName(), object); }
    QObject* object(const QString& name) const { return byName_.value(name); }
    // The control of that name and kind; a wrong name or kind ends the program.
    template <typename T> T* get(const QString& name) const {
        auto* control = qobject_cast<T*>(object(name));
        if (!control) MissingControl(name, T::staticMetaObject.className());
        return control;
    }
    // Binds `member` to the control named like it; the windows wrap it in a BIND macro that
    // names the member once.
    template <typename T> void bind(T*& member, const char* name) const {
        member = get<T>(QString::fromLatin1(name));
    }
    // The option group of a container (the window or a frame); ends the program when the
    // container holds no option button.
    OptionGroup* group(const QString& container) const;
    qsizetype size() const { return byName_.size(); }

private:
    friend Controls BuildLayout(QWidget*, std::span<const Control>);
    QHash<QString, QObject*> byName_;
    QHash<QString, OptionGroup*> groups_;
};

// Creates the controls of the table inside `window` (whose objectName the table uses as
// container name), in the stacking and tab order of the table. The option buttons of one
// container form one group.
Controls BuildLayout(QWidget* window, std::span<const Control> table);

// The text colour of a label, check box or option button.
void SetTextColour(QWidget* control, QColor colour);

// The system's button-text colour.
QColor ButtonTextColour();

} // namespace toolkit
