#include "mainwindow/hiddentextbuffer.h"

HiddenTextBuffer::HiddenTextBuffer(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    hide();
}
