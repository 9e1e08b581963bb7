// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/layouttable.h"

#include <QPixmap>

// The window's background: one picture of the window's size on which the artwork of every
// command is painted, from the same table that places the click areas over it.
namespace artwork {

QPixmap paintBackground(const layout::Table& table);

} // namespace artwork
