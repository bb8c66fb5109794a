// The routing page on a test host with the real English language files, loaded
// for a chosen hardware variant; its six grids by what they route, and helpers
// that act as the user does.
#pragma once

#include "PageFixture.h"
#include "RoutingGrid.h"
#include "SmerovaciTabulka.h"

#include <string>

namespace kw::test {

class RoutingFixture : public PageFixture<TFSmerovaciTabulka> {
protected:
    RoutingFixture();

    // Sets HWVer, loads the language for it and loads the page; the
    // configuration counts as unmodified afterwards.
    void LoadVariant(const std::string& variant);

    // Puts the grid's current cell on (row, column) as a click would, with the
    // focus in the grid.
    static void SelectCell(CRoutingGrid* grid, int row, int column);
    // Types text into the current cell (starting its editor) and presses a key.
    static void TypeIntoCell(CRoutingGrid* grid, const QString& text, Qt::Key then);
    static void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {});

    CRoutingGrid* fxsTable = page.Grid(kw::routing::TableId::FXS);
    CRoutingGrid* fxsDefaults = page.Grid(kw::routing::TableId::FXSDef);
    CRoutingGrid* fxoTable = page.Grid(kw::routing::TableId::FXO);
    CRoutingGrid* fxoDefaults = page.Grid(kw::routing::TableId::FXODef);
    CRoutingGrid* gsmTable = page.Grid(kw::routing::TableId::GSM);
    CRoutingGrid* gsmDefaults = page.Grid(kw::routing::TableId::GSMDef);
    QTabWidget* sheets = Find<QTabWidget>("PageControl1");
};

} // namespace kw::test
