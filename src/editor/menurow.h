// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QListWidget;

// Adds a row at the bottom of an editor's pop-up list, as high as the others, and makes the list
// big enough for it; the new row's index.
int appendMenuRow(QListWidget& list, const QString& text);
