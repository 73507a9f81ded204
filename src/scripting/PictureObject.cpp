// Picture objects: the image, its size in HiMetric units, and taking pictures from script values.
#include "scripting/PictureObject.h"

#include "vbscript/Convert.h"
#include "vbscript/Errors.h"

#include <QCursor>
#include <QPixmap>

#include <cmath>

namespace quillora {
namespace {

using vbs::Value;

// HiMetric units (0.01 mm) of a length in pixels at 96 pixels to the inch.
int32_t HiMetric(int pixels) {
    return static_cast<int32_t>(std::lround(pixels * 2540.0 / 96.0));
}

class PictureObject : public vbs::HostObject {
public:
    explicit PictureObject(QImage image) : HostObject(u"Picture"), m_image(std::move(image)) {
        // A handle that stays the same for the same decoded picture.
        const auto handle = [this] {
            if (m_image.isNull()) return Value::Long(0);
            return Value::Long(static_cast<int32_t>((m_image.cacheKey() & 0x3FFFFFFF) | 1));
        };
        DefineProperty("", handle);
        DefineProperty("Handle", handle);
        DefineProperty("Width", [this] { return Value::Long(HiMetric(m_image.width())); });
        DefineProperty("Height", [this] { return Value::Long(HiMetric(m_image.height())); });
        DefineProperty("Type", [this] { return Value::Integer(m_image.isNull() ? 0 : 1); });
    }
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
};

} // namespace

vbs::ObjectRef MakePictureObject(QImage image) {
    return vbs::ObjectRef(new PictureObject(std::move(image)));
}

QImage PictureFromValue(const Value& given) {
    const Value& value = given.Deref();
    if (value.IsObject()) {
        if (value.IsNothing()) return QImage();
        if (auto* picture = dynamic_cast<PictureObject*>(value.AsObject())) return picture->Image();
        vbs::ThrowError(vbs::Err::TypeMismatch);
    }
    if (value.IsEmpty()) return QImage();
    if (value.IsNumericType() && vbs::ToDouble(value) == 0) return QImage();
    vbs::ThrowError(vbs::Err::TypeMismatch);
}

bool PointerFromValue(const Value& value, QCursor& pointer) {
    const QImage image = PictureFromValue(value);
    if (image.isNull()) return false;
    pointer = QCursor(QPixmap::fromImage(image), image.width() / 2, image.height() / 2);
    return true;
}

} // namespace quillora
