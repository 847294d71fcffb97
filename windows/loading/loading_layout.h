#pragma once

#include <span>

#include "windows/toolkit/layout.h"

// The loading window's controls, front to back, in twips.
std::span<const toolkit::Control> LoadingLayout();
