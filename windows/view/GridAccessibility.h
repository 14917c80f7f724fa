#pragma once
// What assistive technology (a screen reader) learns of the channel grid. The grid draws
// its cells itself, so it describes them itself: a table of the sixteen channel rows and
// the columns the window shows, the column headers and the channel numbers as header
// cells, each cell's text, the current cell as the focused one, and the cell editor laid
// over it as that cell's child.

class CMSFlexGrid;

namespace qx260
{

// Makes every CMSFlexGrid describe itself so (the first call registers the description;
// later calls do nothing), and has this grid tell listening assistive technology when its
// current cell, a cell's text or its columns change.
void describeGridForAccessibility(CMSFlexGrid* grid);

} // namespace qx260
