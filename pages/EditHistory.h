// Undo and redo of the configuration: each committed change of the pages is
// one step holding every parameter value and the side effects that go with
// them (the security page's changed flags and the modified state). Widget-free.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class CParameters;

namespace kw {

struct TConfigState {
    std::vector<std::vector<std::string>> values; // per parameter, in the registry's order
    bool modified = false;
    bool pinChanged = false;
    bool passwChanged = false;

    // Same values and flags; the modified state follows them and is not compared.
    bool SameAs(const TConfigState& other) const {
        return values == other.values && pinChanged == other.pinChanged &&
               passwChanged == other.passwChanged;
    }
};

// A parameter row that differs between two states.
struct TChangedValue {
    std::string param;
    int row = 0;
};

class CEditHistory {
public:
    // The oldest steps go first beyond this many.
    static constexpr size_t kMaxSteps = 200;

    static TConfigState Capture(const CParameters& parameters, bool pinChanged, bool passwChanged);
    // Values and modified state back into the registry (flags are the caller's).
    static void Restore(CParameters& parameters, const TConfigState& state);
    // The first parameter row whose value differs; nothing when only flags do.
    static std::optional<TChangedValue>
    FirstDifference(const CParameters& parameters, const TConfigState& a, const TConfigState& b);

    // Forgets every step: `now` is where the new history starts.
    void Reset(TConfigState now);
    // The state after a committed change: unless it is the same as the last,
    // the last becomes a step to undo and what was undone is forgotten. True
    // when a step was recorded.
    bool Commit(TConfigState now);

    bool CanUndo() const { return !m_Undo.empty(); }
    bool CanRedo() const { return !m_Redo.empty(); }
    // Steps back (or forth) and gives the state to restore; nullptr when there
    // is none.
    const TConfigState* Undo();
    const TConfigState* Redo();
    const TConfigState& Current() const { return m_Current; }

private:
    std::vector<TConfigState> m_Undo;
    std::vector<TConfigState> m_Redo;
    TConfigState m_Current;
};

} // namespace kw
