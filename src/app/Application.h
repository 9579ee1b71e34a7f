#pragma once
// What the application object must carry before any window opens.

class QApplication;

// The application's name, and the toolkit's own texts in Japanese. No display
// name is set: the toolkit would append it to every window title on X11, and
// the titles are exactly the program's own.
void ConfigureApplication(QApplication& application);
