#pragma once
// Lists that follow what other seats store. When another program on the same database commits
// a change (data/cambiosajenos.h), an open list reads its rows again with the statement it
// shows, and stays on the row the user was on (found by its key) where the list was scrolled.
// Never in the middle of the user's work: while a record source of the window holds an edit (a
// row being edited or added, a control typed into), a grid cell is open, a mouse button is down
// or another window waits modally, the list waits and reads its rows once that is over. A list
// reads its rows at most once a second, however busy the other seats are.
#include <functional>

class QAbstractItemView;

namespace zv {

class OrigenRegistros;

// `vista`, when given, is the view whose current row is kept (a grid over the source follows
// it by itself); `refrescar` reads the rows again (by default the source's refrescar()).
// Every Grilla follows its source so; a list of another kind asks for it.
void seguirCambiosAjenos(OrigenRegistros* origen, QAbstractItemView* vista = nullptr,
                         std::function<void()> refrescar = {});

} // namespace zv
