# Cell editing: the commit rules (core) and the cell editors laid over the grid (windows).
qx260_core(CellEditRules.cpp)
qx260_windows(CellEditors.h CellEditors.cpp)
