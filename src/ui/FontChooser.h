#pragma once
// The font chooser of the settings dialog: the platform's font dialog together
// with a colour, starting from a font and returning face, size, colour and the
// four styles.

#include <optional>

#include "ui/Settings.h"

class QWidget;

// The chosen font, or nothing when the user cancelled.
std::optional<TFontSetting> ChooseFont(QWidget* owner, const TFontSetting& start);
