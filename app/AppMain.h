#pragma once
// Runs the program: the application object, its main window and the message loop.
int RunVersewright(int argc, char** argv);
