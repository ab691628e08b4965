// NM_VQGRID: the notification a grid control sends with a cell event
// (focus change, button click). Observers hand it back to the table to learn
// which row the event concerns.
#pragma once

struct NM_VQGRID {
    /// Absolute row of the cell (header rows counted), -1 when no row.
    int iRow = -1;
    /// Absolute column of the cell, -1 when no column.
    int iColumn = -1;
};
