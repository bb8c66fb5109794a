// How long hints stay on screen: the whole program keeps each tool tip up for
// the time given (two minutes in the main window) instead of the toolkit's
// few seconds, so long hints can be read to the end.
#pragma once

namespace kw {

// Installs the pause on the application; installing again changes it.
void InstallHintPause(int milliseconds);

} // namespace kw
