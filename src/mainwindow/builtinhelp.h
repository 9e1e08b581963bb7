// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// The reference of the game's scripting language that the program carries with it.
namespace builtinhelp {

// Scriptlang.rtf, the formatted reference: opened by "External Help" and shown by the help
// window when Help.qrb has no text.
QByteArray scriptlangRtf();

} // namespace builtinhelp
