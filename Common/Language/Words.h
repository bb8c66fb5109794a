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
inline constexpr int kNotKnown = 101;          // an identity value no gateway gave yet
inline constexpr int kNotLocked = 111;         // the operator lock is empty
inline constexpr int kLockedTo = 137;          // "%s": the operator the SIM is locked to
inline constexpr int kLockedPermanently = 138; // "%s": the same, for good
inline constexpr int kNotSet = 342;            // no service SMS number
// The questions of the initialisation buttons.
inline constexpr int kResetFxsLineQuestion = 203;
inline constexpr int kResetFxoLineQuestion = 204;
inline constexpr int kResetFxsRoutingQuestion = 205;
inline constexpr int kResetFxoRoutingQuestion = 206;
inline constexpr int kResetGsmRoutingQuestion = 207;
inline constexpr int kResetGsmSimQuestion = 208;
inline constexpr int kResetSmsInputQuestion = 209;
inline constexpr int kResetAllQuestion = 210;
inline constexpr int kResetBanksQuestion = 324;

// ---- Link, transfer and firmware upgrade (link, transfer, firmware)

// ---- Command line (cli)

} // namespace kw::word
