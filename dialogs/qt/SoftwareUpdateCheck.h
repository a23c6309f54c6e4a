#pragma once
// The check for a newer version in the program: the running version from the application,
// the notice of a new version as a dialog over parent.
#include "app/SoftwareUpdate.h"

class QWidget;

SoftwareUpdateHooks MakeSoftwareUpdateHooks(QWidget* parent);

// The quiet check of the main frame's timer: nothing when the user turned the automatic
// check off ("bCheckVersion" 0).
void RunAutomaticUpdateCheck(QWidget* parent);

// The menu command: asks first (CDlgCheckVersion), then checks and reports in message boxes.
// Returns the fetch's result, or nothing when the user cancelled.
std::optional<int> OnCheckVersionCommand(QWidget* parent);
