#include "shell/startup/ombre.h"

#include "shell/mainwindow/liens_fenetres.h"
#include "shell/startup/traces.h"

Ombre::Ombre()
{
    setObjectName(NomConception);
    setWindowFlags(Qt::FramelessWindowHint | Qt::Tool | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    marquerFenetreSuperieure(this);
}

void Ombre::Form_Load()
{
    hide();
    lower();
    Traces::opacite(this, 1);
}
