#include "ParControl.h"

#include "Fatal.h"
#include "PageQuery.h"
#include "Parameters.h"

void CBindingList::Add(CParControl* binding, Variants variants) {
    m_Entries.push_back({std::unique_ptr<CParControl>(binding), variants});
}

// The record of a binding's parameter; nullptr when the registry does not know
// the parameter or the variant last filled has not the binding's control.
TMultiPar* CBindingList::RecordOf(const TEntry& entry, CParameters& parameters) const {
    TMultiPar* rc = parameters.Find(entry.binding->Name());
    if (rc == nullptr || !kw::pages::Shows(entry.variants, m_Variant))
        return nullptr;
    KW_ASSERT(entry.binding->Row() >= 0 && entry.binding->Row() < rc->Count);
    return rc;
}

void CBindingList::ToControls(CParameters& parameters, const std::string& variant) {
    m_Variant = variant;
    m_Filled = true;
    for (const TEntry& entry : m_Entries)
        if (const TMultiPar* rc = RecordOf(entry, parameters))
            entry.binding->WriteText(rc->Values[entry.binding->Row()]);
}

void CBindingList::FromControls(CParameters& parameters) const {
    if (!m_Filled)
        return;
    for (const TEntry& entry : m_Entries) {
        TMultiPar* rc = RecordOf(entry, parameters);
        if (rc == nullptr)
            continue;
        std::string text = rc->Type->Normalize(entry.binding->ReadText());
        std::string& stored = rc->Values[entry.binding->Row()];
        if (text != stored) {
            stored = std::move(text);
            parameters.m_Modified = true;
        }
    }
}

std::vector<const CParControl*> CBindingList::Active() const {
    std::vector<const CParControl*> active;
    if (m_Filled)
        for (const TEntry& entry : m_Entries)
            if (kw::pages::Shows(entry.variants, m_Variant))
                active.push_back(entry.binding.get());
    return active;
}
