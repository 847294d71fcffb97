#pragma once

// The application as the program runs it: its version and desktop name, one style on every
// desktop, the embedded fonts, the car icon and Qt's own texts in Russian. The program, the
// benchmarks and the window tests all start from it, after creating the QApplication.
namespace toolkit {

void SetUpApplication();

} // namespace toolkit
