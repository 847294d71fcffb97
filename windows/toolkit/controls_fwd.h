#pragma once

// The control classes a window's header names, declared without their headers.
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace toolkit {
class Image;
class Label;
class Line;
class OptionButton;
class Timer;
} // namespace toolkit
