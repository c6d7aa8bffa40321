#pragma once
#include <QString>

// The texts a new installation starts with; Restore Defaults of the letter
// texts uses the same ones.
namespace DefaultTexts {
QString reminder1();
QString reminder2();
QString reminder3();
QString statement();
QString terms();
inline constexpr const char* defaultStart = "01/01/2005";
}
