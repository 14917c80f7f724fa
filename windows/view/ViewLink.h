#pragma once
// The radio link as the channel view uses it: the Read, Write and Com Setup
// commands, and the transfer run on the window thread with the Process window.

class CProgramView;
class CProcessDlg;
class CPortSettingDlg;

namespace qx260::link {

// When a channel view is made: its Process window and Port Setting dialog
// objects, and the port device name from the stored port number.
void attachToView(CProgramView& view);

void readCommand(CProgramView& view);
void writeCommand(CProgramView& view);
void comSetupCommand(CProgramView& view);

// Runs the whole transfer in the view's direction (what OK in the Process window posts).
void runTransfer(CProgramView& view);
// True while a transfer of this view runs (the image is being read or sent).
bool transferRunning(const CProgramView& view);

CProcessDlg* processDialog(CProgramView& view);
CPortSettingDlg* portSettingDialog(CProgramView& view);

}  // namespace qx260::link
