#pragma once

class QWidget;

// Escape closes the window (the notes, help and backup windows).
void closeOnEscape(QWidget& window);
