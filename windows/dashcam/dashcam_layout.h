#pragma once

#include <span>

#include "windows/toolkit/layout.h"

// The dashcam window's controls, front to back, in twips. Each row is named by its role; the
// comment at its end gives the id it had in the window's design.
std::span<const toolkit::Control> DashcamLayout();
