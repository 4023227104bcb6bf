// Text to integer conversion with the rules of the Windows-era settings code:
// leading blanks, an optional sign, then decimal digits or hexadecimal after
// "$", "x", "X", "0x" or "0X". Nothing else may follow the number.
#pragma once

#include <QString>

// Converts s; on success stores the value in out and returns true. On failure
// out is left unchanged. Hexadecimal accepts up to 0xFFFFFFFF and takes the bits
// as a signed 32-bit value ("$FFFFFFFF" is -1); decimal must fit INT_MIN..INT_MAX.
bool TryStrToInt(const QString& s, int& out);

// The converted value of s, or def when s is not a valid number.
int StrToIntDef(const QString& s, int def);
