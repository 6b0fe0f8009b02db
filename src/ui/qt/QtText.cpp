#include "QtText.h"

#include "miniUtils.h"

QString ToQString(const std::string& Ansi) { return ToQString(AnsiToWide(Ansi, 0)); }

QString ToQString(const WideString& Wide) { return QString::fromStdU16String(Wide); }

std::string ToAnsi(const QString& Text) { return WideToAnsi(ToWide(Text), 0); }

WideString ToWide(const QString& Text) { return Text.toStdU16String(); }
