// The properties and methods authors use on window controls, defined over scene elements for
// the objects scripts see (hotspots, texts, videos, the message bar, the window's controls).
#pragma once

#include "vbscript/Object.h"

#include <functional>

namespace quillora {

class PictureBox;
class SceneElement;

// Returns the element the members act on, or throws the script error that says why there is
// none (a control-array element that is not loaded).
using ElementGetter = std::function<SceneElement&()>;

// Left, Top, Width, Height (twips), Move, Visible, ZOrder, Enabled, Tag, ToolTipText,
// MousePointer and MouseIcon. `setVisible` replaces the plain Visible assignment (a hotspot
// shows and hides its media with it). Negative sizes fail with 380 "Invalid property value".
void DefinePlacementMembers(vbs::HostObject& object, ElementGetter element, PictureBox& box,
                            std::function<void(SceneElement&, bool)> setVisible = nullptr);

// Caption, ForeColor, BackColor, BackStyle, Alignment, AutoSize, WordWrap, the Font...
// properties and a Font object (Name, Size, Bold, Italic, Underline, Strikethrough).
void DefineLabelMembers(vbs::HostObject& object, ElementGetter element);

// BackColor and BackStyle of a box (a frame that holds other controls).
void DefineBoxMembers(vbs::HostObject& object, ElementGetter element);

// Picture (a picture object; Set accepts picture objects, Nothing and the empty picture) and
// Stretch.
void DefinePictureMembers(vbs::HostObject& object, ElementGetter element);

// Checks a size or position a script assigns: a whole number of twips, error 380 outside
// min..kMaxTwips.
int TwipsValue(const vbs::Value& value, int min);
inline constexpr int kMaxTwips = 16'000'000;

// A property given a value it cannot take: error 380, "Invalid property value".
[[noreturn]] void ThrowInvalidPropertyValue();

} // namespace quillora
