#pragma once
// What the application object must carry before any window opens.

class QApplication;

// The application's name and version.
void NameApplication();

// The application's name, version, desktop file name and icon, and the
// toolkit's own texts in Japanese. No display name is set: the toolkit would
// append it to every window title on X11, and the titles are exactly the
// program's own.
void ConfigureApplication(QApplication& application);
