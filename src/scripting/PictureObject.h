// Pictures as scripts hold them: what LoadGraphicFile returns and what Picture properties take.
#pragma once

#include "vbscript/Object.h"

#include <QImage>

class QCursor;

namespace quillora {

// A picture object (the empty picture when `image` is null). Scripts read Width and Height in
// HiMetric units (hundredths of a millimetre, at 96 pixels to the inch), Type (0 none,
// 1 bitmap) and Handle, its default member (0 for the empty picture).
vbs::ObjectRef MakePictureObject(QImage image);

// The picture a script value gives to a Picture property: a picture object's image, or the
// empty picture for Nothing, Empty or 0 (how scripts clear a picture). Anything else fails with
// "Type mismatch" (13).
QImage PictureFromValue(const vbs::Value& value);

// A pointer made from a picture a script gives to a MouseIcon property (null image: none).
bool PointerFromValue(const vbs::Value& value, QCursor& pointer);

} // namespace quillora
