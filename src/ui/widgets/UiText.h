#pragma once

#include <QString>
#include <string_view>

// How windows get the texts they show: a text of the string table by its id, or one of the
// program's own texts (data/OperatorTexts.h).
QString UiText(int stringId);
QString UiText(std::string_view text);

// "Version " and the program's version, as the about box and the status strip show it.
QString VersionLine();

// "Register: " and the register in use (the file, or the server database), as the about box
// and the status strip show it.
QString RegisterLine();
