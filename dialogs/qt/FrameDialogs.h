#pragma once
// The dialogs the main frame runs: the language and general preferences, the help search and
// the check for a newer version (on request and from the frame's timer).
class CMainFrame;

void InstallFrameDialogs(CMainFrame& frame);
