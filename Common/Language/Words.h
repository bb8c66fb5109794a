// Names for the language words the code uses by number: messages, questions,
// progress texts, status texts and the captions the code sets itself. Captions
// that the translator sets from a control's tag stay numbers in the page and
// dialog declarations, next to the control they name.
//
// Each part of the program keeps its words in its own section below.
#pragma once

namespace kw::word {

// ---- Common
inline constexpr int kProgramName = 0; // caption of every message box
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// ---- Hardware variants (config/HardwareVariant)
inline constexpr int kVariantAD = 326; // the A/D pair's name
inline constexpr int kVariantCF = 327;
inline constexpr int kVariantEG = 328;

// ---- Main window and file commands (app)

// ---- Section pages (pages)

// ---- Link, transfer and firmware upgrade (link, transfer, firmware)

// ---- Command line (cli)

} // namespace kw::word
