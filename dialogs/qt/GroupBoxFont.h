#pragma once
// The dialogs' group titles in the main frame's bold font.
class ControlHost;

// Gives control id of the host the main frame's bold group-title font, once the about box
// has made it; nothing before, or without a main frame.
void ApplyGroupBoxFont(ControlHost& host, int id);
