#pragma once

#include <span>

#include "windows/toolkit/layout.h"

// The main window's controls, front to back, in twips.
std::span<const toolkit::Control> MainLayout();
