#include "EditHistory.h"

#include "Parameters.h"

namespace kw {

TConfigState CEditHistory::Capture(const CParameters& parameters, bool pinChanged,
                                   bool passwChanged) {
    TConfigState state;
    state.values.reserve(parameters.Records().size());
    for (const auto& [name, record] : parameters.Records())
        state.values.push_back(record.Values);
    state.modified = parameters.m_Modified;
    state.pinChanged = pinChanged;
    state.passwChanged = passwChanged;
    return state;
}

void CEditHistory::Restore(CParameters& parameters, const TConfigState& state) {
    size_t i = 0;
    for (const auto& [name, record] : parameters.Records()) {
        if (i < state.values.size())
            parameters.Find(name)->Values = state.values[i];
        ++i;
    }
    parameters.m_Modified = state.modified;
}

std::optional<TChangedValue> CEditHistory::FirstDifference(const CParameters& parameters,
                                                           const TConfigState& a,
                                                           const TConfigState& b) {
    size_t i = 0;
    for (const auto& [name, record] : parameters.Records()) {
        if (i < a.values.size() && i < b.values.size() && a.values[i] != b.values[i])
            for (size_t row = 0; row < a.values[i].size() && row < b.values[i].size(); ++row)
                if (a.values[i][row] != b.values[i][row])
                    return TChangedValue{name, static_cast<int>(row)};
        ++i;
    }
    return std::nullopt;
}

void CEditHistory::Reset(TConfigState now) {
    m_Undo.clear();
    m_Redo.clear();
    m_Current = std::move(now);
}

bool CEditHistory::Commit(TConfigState now) {
    if (now.SameAs(m_Current)) {
        m_Current.modified = now.modified;
        return false;
    }
    m_Undo.push_back(std::move(m_Current));
    if (m_Undo.size() > kMaxSteps)
        m_Undo.erase(m_Undo.begin());
    m_Redo.clear();
    m_Current = std::move(now);
    return true;
}

const TConfigState* CEditHistory::Undo() {
    if (m_Undo.empty())
        return nullptr;
    m_Redo.push_back(std::move(m_Current));
    m_Current = std::move(m_Undo.back());
    m_Undo.pop_back();
    return &m_Current;
}

const TConfigState* CEditHistory::Redo() {
    if (m_Redo.empty())
        return nullptr;
    m_Undo.push_back(std::move(m_Current));
    m_Current = std::move(m_Redo.back());
    m_Redo.pop_back();
    return &m_Current;
}

} // namespace kw
