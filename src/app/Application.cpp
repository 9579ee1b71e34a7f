#include "app/Application.h"

#include <QApplication>

void ConfigureApplication(QApplication&) { QApplication::setApplicationName(QStringLiteral("Velqorandis")); }
