// Language word numbers the code shows by name; each section belongs to the
// feature that added it.
#pragma once

namespace kw::words {

// --- Writing the configuration: an interrupted write ---
// Shown after a write failed once configuration bytes had gone out: the
// gateway may hold part of the new configuration, and writing again repairs it.
inline constexpr int kWriteMayBeIncomplete = 520;

} // namespace kw::words
