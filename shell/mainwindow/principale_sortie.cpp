// The CV output commands: word-processor copy, printing, page set-up.
#include "shell/mainwindow/principale.h"

void Principale::MenuConvertirCV_Click() {}     // to come: the conversion dialog
void Principale::MenuImprimerCV_Click() {}      // to come: print the CV
void Principale::PrevisualiserCV_Click() {}     // to come: print preview of the CV
void Principale::ImprimerCV_Click() {}          // to come: print the CV
void Principale::MessageTrames_Click() {}       // to come: the page set-up dialog
void Principale::MenuConvFWord_Click() {}       // to come: the conversion dialog
void Principale::ConsulterWord_Click() {}       // to come: open the word-processor copy
void Principale::ConvertirWord() {}             // to come: export to a word-processor document
void Principale::ConvertirODF() {}              // to come: the alternative export
