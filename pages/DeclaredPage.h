// A section page built from its declaration (config/pages): its sheets, groups
// and rows become controls with their bindings once, when the page is made.
// Loading shows what the configuration's variant has, fills the controls and
// words the read-only displays; a display follows the page's edit of the same
// parameter while it is typed. A page adds its own rules as handlers.
#pragma once

#include "DForm.h"
#include "PageBuilder.h"

#include <string_view>
#include <vector>

class QTabWidget;

class TFDeclaredPage : public TFDForm {
    Q_OBJECT
public:
    TFDeclaredPage(CPageHost& host, const kw::pages::TPage& declaration, QWidget* parent);

    void LoadPage() override;
    void StorePage() override;
    void ResizePage(int width, int height) override;

    const kw::pages::TPage& Declaration() const { return m_Declaration; }
    // Every row's controls in declaration order (grid columns aside).
    const std::vector<kw::TBuiltRow>& BuiltRows() const { return m_Rows; }
    // The controls of the first row showing the parameter's row.
    const kw::TBuiltRow& RowOf(std::string_view param, int valueRow = 0) const;

protected:
    // Makes the declared page; each page calls it once from its constructor.
    void Build();
    // Where the controls of a bare group go, or the grid a grid group is; the
    // page's own sheet or box `in` unless the page says otherwise.
    virtual QWidget* PlaceGroup(const kw::pages::TGroup& group, QWidget* in);
    // Shows the sheets, groups and rows the variant has and hides the others.
    void ShowVariant(const std::string& variant);
    void ShowDisplays();
    QTabWidget* MainTabs() const { return m_Tabs; }

private:
    struct TPart {
        QWidget* widget;
        kw::pages::Variants variants;
        bool sheet; // a tab of the main tab control
    };

    // Makes a group's box (or sheet) and rows; returns the box.
    QWidget* BuildGroup(const kw::pages::TGroup& group);
    void DisplaysFollowTheirEdits();

    const kw::pages::TPage& m_Declaration;
    QTabWidget* m_Tabs = nullptr;
    std::vector<kw::TBuiltRow> m_Rows;
    std::vector<TPart> m_Parts;
};
