// The main window's page area: the caption of the section on view over the
// scrolled page, the pages of all sections (those not on view kept hidden),
// the store-before-load order of a section switch, and the width that shows
// the widest page without scrolling sideways.
#pragma once

#include "SectionPages.h"

#include <QWidget>

#include <array>

class QLabel;
class QScrollArea;
class TFDForm;

class CSectionArea : public QWidget {
    Q_OBJECT
public:
    explicit CSectionArea(QWidget* parent);

    // Puts a page in place of a section's page; the area takes ownership.
    void SetPage(int section, TFDForm* page);
    TFDForm* Page(int section) const;
    TFDForm* CurrentPage() const { return m_CurrentPage; }

    // Stores the page on view, then fills and shows the page of `section`
    // under `caption`; a section without a page shows an empty area.
    void Show(int section, const QString& caption);
    void SetCaption(const QString& caption);
    // Takes the page off view without storing it.
    void Forget();
    void StoreCurrentPage();
    void LoadCurrentPage();

    // The area's width that shows the widest page whole, from the pages' own
    // sizes and size hints, with room for a vertical scroll bar.
    int WidthForWidestPage() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FitCurrentPage();

    QLabel* m_Caption;
    QScrollArea* m_Scroller;
    QWidget* m_Holder; // keeps the pages that are not on view
    std::array<TFDForm*, kw::kSectionCount> m_Pages{};
    TFDForm* m_CurrentPage = nullptr;
};
