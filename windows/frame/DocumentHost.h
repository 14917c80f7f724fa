#pragma once
// What the main frame needs from the keeper of the open documents (the application
// object): the active document's window and view, and the saves before the program
// ends. The frame is given it when it is made and asks nothing else of the keeper;
// the commands it does not run itself it emits by their ids.

class CChildFrame;
class CProgramView;

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // The window and the view of the document activated last (the window may be
    // hidden); null without a document.
    virtual CChildFrame* activeDocumentFrame() const = 0;
    virtual CProgramView* activeDocumentView() const = 0;
    // Asks about every modified document before the program ends: false when the
    // user cancelled or a save failed, and the program goes on.
    virtual bool saveAllModified() = 0;
};
