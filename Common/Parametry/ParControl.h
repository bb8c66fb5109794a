// A binding between one parameter row and one control of the page on view.
// The concrete kinds (edit, memo, check box, track bar, drop-down list) live with
// the pages; they hold the control itself, so this header stays free of widgets.
#pragma once

#include <cstdint>
#include <string>

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
