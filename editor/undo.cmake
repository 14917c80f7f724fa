# Undo and redo of a channel window: the history of document states (core).
qx260_core(UndoHistory.h UndoHistory.cpp)
