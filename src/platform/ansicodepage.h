// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>

// The Windows code pages that rich-text documents name with \ansicpg. Western (1252) and
// central European (1250) are known; any other code page reads as ISO 8859-1.
namespace ansicodepage {

inline constexpr int kWestern = 1252;
inline constexpr int kCentralEuropean = 1250;

// The character of one byte in the code page. Bytes the code page leaves undefined keep
// their own value, as Windows itself maps them.
QChar decode(int codePage, unsigned char byte);

// The code page of a font's \fcharset; 0 when the charset has no code page of its own.
int fromCharset(int charset);

} // namespace ansicodepage
