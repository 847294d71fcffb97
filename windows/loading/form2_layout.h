#pragma once

#include <span>

#include "toolkit/layout.h"

// The loading window's controls, front to back, in twips.
std::span<const toolkit::Control> Form2Layout();
