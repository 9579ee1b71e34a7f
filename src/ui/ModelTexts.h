#pragma once
// The messages that the model gives (Japanese, as the program's own texts
// are) in the windows' language.

#include <QString>
#include <string>
#include <string_view>

class EIniFileException;

// A message of the model's, as one of its constants holds it.
QString ModelText(std::u16string_view message);

// "FILE に書き込めません".
QString CannotWriteText(const std::u16string& fileName);
QString CannotWriteText(const EIniFileException& error);
