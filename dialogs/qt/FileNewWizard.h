#pragma once
// File > New's creation wizard in the program: it runs on the application's document, over
// the main frame, and the frame shows the document's new title afterwards.
class CHoravelApp;
class QtAppWindows;

void InstallFileNewWizard(CHoravelApp& app, QtAppWindows& windows);
