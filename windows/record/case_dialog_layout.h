#pragma once

#include <span>

#include "windows/toolkit/layout.h"

// The case dialog's controls, front to back, in twips.
std::span<const toolkit::Control> CaseDialogLayout();

// Its client area, in twips.
inline constexpr int kCaseDialogWidth = 6360;
inline constexpr int kCaseDialogHeight = 3195;
