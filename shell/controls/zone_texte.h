#pragma once
// ZoneTexte: the program's multi-line text box. Tab and Shift+Tab move the focus to the next or
// previous control as in a one-line box, so the box's leaving handler runs as for a click
// elsewhere; no tab character is ever typed into the text, whatever key goes with the Tab.
//     Etudes = new ZoneTexte(Frame1);

#include <QKeyEvent>
#include <QPlainTextEdit>

class ZoneTexte : public QPlainTextEdit {
public:
    explicit ZoneTexte(QWidget* parent = nullptr) : QPlainTextEdit(parent) { setTabChangesFocus(true); }

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        // Plain Tab and Shift+Tab never get here (they move the focus); with Ctrl or Alt the key
        // goes on to the window (the workspace's own window switching) instead of the text.
        if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
            e->ignore();
            return;
        }
        QPlainTextEdit::keyPressEvent(e);
    }
};
