#pragma once
// Which key presses type a character. A box that reads typed keys itself (a
// type-ahead box, an editor's field, a date field) takes only the keys that
// type one: Delete, Escape, Tab, the arrows, the function keys and every key
// held with Ctrl, Alt or Meta type none, whatever text the keyboard sends with
// them (Delete sends character 127, Ctrl+A character 1, Alt+T a "t").
class QKeyEvent;
class QWidget;

namespace gui {

// The character the key types, as the old platform's key press gave it: a
// Windows-1252 byte ("?" for a character without one), Backspace as 8 and
// Enter as 13; 0 for a key that types none.
char TypedCharacter(const QKeyEvent& key);

// A key that types no character although a Qt box would insert its text (a
// letter held with Alt or Meta).
bool InsertsWithoutTyping(const QKeyEvent& key);

// Makes the box eat the keys that InsertsWithoutTyping names: they enter
// neither its text nor anything read from it. The keys that edit the box
// (Delete, Ctrl+A, Ctrl+V, ...) still reach it.
void KeepUntypedKeysOut(QWidget* box);

}  // namespace gui
