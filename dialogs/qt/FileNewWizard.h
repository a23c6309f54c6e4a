#pragma once
// File > New's creation wizard in the program: it runs on the application's document, over
// the main frame; a new dial takes the view's default options and is shown at scale, and
// the frame shows the document's new title afterwards.
class CHoravelApp;
class QtAppWindows;

void InstallFileNewWizard(CHoravelApp& app, QtAppWindows& windows);
