// The program's texts as the toolkit's: single-byte text of the system's
// code page, and UTF-16, to and from QString.
#pragma once

#include <QString>
#include <string>

#include "WinCompat.h"

QString ToQString(const std::string& Ansi);
QString ToQString(const WideString& Wide);
std::string ToAnsi(const QString& Text);
WideString ToWide(const QString& Text);
