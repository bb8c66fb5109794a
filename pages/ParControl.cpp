#include "ParControl.h"

#include "Fatal.h"
#include "PageQuery.h"
#include "Parameters.h"

void CBindingList::Add(CParControl* binding, Variants variants) {
    m_Entries.push_back({std::unique_ptr<CParControl>(binding), variants});
}

bool CBindingList::Takes(const TEntry& entry) const {
    return kw::pages::Shows(entry.variants, m_Variant);
}

void CBindingList::ToControls(const CParameters& parameters, const std::string& variant) {
    m_Variant = variant;
    m_Filled = true;
    for (const TEntry& entry : m_Entries) {
        const TMultiPar* rc = parameters.Find(entry.binding->Name());
        if (rc == nullptr || !Takes(entry))
            continue;
        KW_ASSERT(entry.binding->Row() >= 0 && entry.binding->Row() < rc->Count);
        entry.binding->WriteText(rc->Values[entry.binding->Row()]);
    }
}

void CBindingList::FromControls(CParameters& parameters) const {
    if (!m_Filled)
        return;
    for (const TEntry& entry : m_Entries) {
        TMultiPar* rc = parameters.Find(entry.binding->Name());
        if (rc == nullptr || !Takes(entry))
            continue;
        KW_ASSERT(entry.binding->Row() >= 0 && entry.binding->Row() < rc->Count);
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
            if (Takes(entry))
                active.push_back(entry.binding.get());
    return active;
}
