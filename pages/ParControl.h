// A binding between one parameter row and one control, and the list of a page's
// bindings. The concrete kinds (edit, memo, check box, track bar, drop-down
// list) live in ParBindings.h; they hold the control itself, so this header
// stays free of widgets.
#pragma once

#include "PageDeclaration.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CParameters;
struct TMultiPar;

class CParControl {
public:
    CParControl(std::string name, int32_t row) : m_Name(std::move(name)), m_Row(row) {}
    virtual ~CParControl() = default;
    CParControl(const CParControl&) = delete;
    CParControl& operator=(const CParControl&) = delete;

    // The text the control shows, in the form the parameter's values use.
    virtual std::string ReadText() const = 0;
    // Makes the control show a value text.
    virtual void WriteText(const std::string& text) = 0;

    const std::string& Name() const { return m_Name; }
    int32_t Row() const { return m_Row; }

private:
    std::string m_Name;
    int32_t m_Row;
};

// A page's bindings in the order they were made, each with the variants whose
// gateways have its control. Filling passes over the bindings the variant has
// not, and storing takes back exactly what the last fill put in; a binding
// whose parameter the registry does not know is passed over as well.
class CBindingList {
public:
    using Variants = kw::pages::Variants;

    void Add(CParControl* binding, Variants variants = Variants::All);

    // Every binding the variant has shows its parameter's value.
    void ToControls(CParameters& parameters, const std::string& variant);
    // What those controls show now, normalised, goes back into the parameters;
    // a value that differs sets m_Modified. Nothing before the first fill.
    void FromControls(CParameters& parameters) const;

    // The bindings of the variant last filled, in order.
    std::vector<const CParControl*> Active() const;
    bool Empty() const { return m_Entries.empty(); }

private:
    struct TEntry {
        std::unique_ptr<CParControl> binding;
        Variants variants;
    };
    TMultiPar* RecordOf(const TEntry& entry, CParameters& parameters) const;

    std::vector<TEntry> m_Entries;
    bool m_Filled = false;
    std::string m_Variant;
};
