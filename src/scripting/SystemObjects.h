// The system objects scripts see: the screen, the application, the printers and the clipboard.
#pragma once

#include "vbscript/Object.h"

namespace quillora {

class ScriptWindow;

// ScreenObject: Width and Height of the (virtual) screen in twips, TwipsPerPixelX/Y (15), and
// the screen-wide MousePointer with its MouseIcon (99 shows the icon).
vbs::ObjectRef MakeScreenObject(ScriptWindow& window);
// AppObject: Path (the game's folder, without a closing separator), Title, EXEName, Major,
// Minor, Revision, and PrevInstance.
vbs::ObjectRef MakeAppObject();
// PrintersObject: the printers the player offers, none: Count 0, For Each walks nothing and
// Item/an index fails with "Subscript out of range" (9).
vbs::ObjectRef MakePrintersObject();
// ClipboardObject: GetText, SetText, Clear (the text of the desktop's clipboard), GetFormat.
vbs::ObjectRef MakeClipboardObject();

} // namespace quillora
