#pragma once
// The print commands: Print (with the print dialog), direct print (to the printer without
// a dialog), Print Preview and Print Setup. All of them use the program's one printer, so
// what Print Setup or the print dialog chose stays for the next printout.

class QWidget;

namespace qx260
{

struct PrintContent;

// Print...: the print dialog (a printer or a PDF file, page range), then the printout.
void filePrint(QWidget* parent, const PrintContent& content);
// The printout on the chosen printer, else the default one; a message when there is none.
void filePrintDirect(QWidget* parent, const PrintContent& content);
// The pages in the print preview window, which can also print them.
void filePrintPreview(QWidget* parent, const PrintContent& content);
// Paper, orientation and margins of the program's printer.
void filePrintSetup(QWidget* parent);

} // namespace qx260
