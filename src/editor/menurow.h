// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QListWidget;
class QObject;
class ScriptEditor;

// Adds a row at the bottom of an editor's pop-up list, as high as the others, and makes the list
// big enough for it; the new row's index.
int appendMenuRow(QListWidget& list, const QString& text);
// Adds such a row to `editor`'s pop-up list; choosing it runs `action` while `context` lives.
// The new row's index.
int addMenuAction(ScriptEditor& editor, QListWidget& list, const QString& text, QObject& context,
                  const std::function<void()>& action);
