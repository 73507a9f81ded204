// Creating the frame area's elements.
#include "game/GameScene.h"

#include <QPainter>
#include <QPainterPath>

namespace quillora {

QImage InventoryTabPicture() {
    QImage tab(40, 28, QImage::Format_ARGB32_Premultiplied);
    tab.fill(Qt::transparent);
    QPainter p(&tab);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0.5, -6, 39, 33), 6, 6);
    p.fillPath(shape, QColor(74, 50, 30));
    p.setPen(QPen(QColor(214, 170, 90), 1.5));
    p.drawPath(shape);
    // A satchel: the sign that the inventory is up here.
    p.setBrush(QColor(196, 150, 80));
    p.drawRoundedRect(QRectF(12, 9, 16, 12), 2, 2);
    p.drawArc(QRectF(15, 4, 10, 10), 0, 180 * 16);
    return tab;
}

GameScene::GameScene(PictureBox& box)
    : Box(box), BackImage(box.Create(ElementKind::Image, "BackImage", 0)),
      Area(box, ElementKind::Image, "Area"), AniGifBox(box, ElementKind::Box, "AniGifBox"),
      AniGif(box, ElementKind::Surface, "AniGif", &AniGifBox.Template()),
      VideoPlayer(box, ElementKind::Surface, "VideoPlayer"),
      OneTimeVideoPlayer(box, ElementKind::Surface, "OneTimeVideoPlayer"),
      Text(box, ElementKind::Label, "Text"),
      Inventory1(box.Create(ElementKind::Box, "Inventory1", 0)),
      Inventory_Background(box.Create(ElementKind::Image, "Inventory_Background", 0, &Inventory1)),
      PickedObject(box, ElementKind::Image, "PickedObject", &Inventory1),
      Inventory2(box.Create(ElementKind::Image, "Inventory2", 0)),
      FrameMessageBox(box.Create(ElementKind::Box, "FrameMessageBox", 0)),
      LabelMessageBox(box.Create(ElementKind::Label, "LabelMessageBox", 0, &FrameMessageBox)),
      fmeDialogue(box.Create(ElementKind::Box, "fmeDialogue", 0)),
      lblDialogue(box, ElementKind::Label, "lblDialogue", &fmeDialogue) {
    SceneElement& text = Text.Template();
    text.FontName = "Arial";
    text.FontBold = true;
    text.FontSize = 24;
    text.AutoSize = true;

    Inventory1.Opaque = true;
    Inventory1.BackColor = 0x1E324A; // dark wood
    Inventory1.SetVisible(false);
    Inventory_Background.SetVisible(false);
    PickedObject.Template().Move(0, 0, 480, 480);
    PickedObject.Template().Stretch = true;
    Inventory2.SetPicture(InventoryTabPicture());
    Inventory2.SetVisible(false);

    FrameMessageBox.Opaque = true;
    FrameMessageBox.BackColor = 0x201810; // deep blue-black band
    FrameMessageBox.SetVisible(false);
    LabelMessageBox.FontName = "MS Sans Serif";
    LabelMessageBox.FontBold = true;
    LabelMessageBox.FontSize = 12;
    LabelMessageBox.ForeColor = 0xC8F0FF; // warm white
    LabelMessageBox.AutoSize = true;
    LabelMessageBox.Alignment = 2;

    fmeDialogue.Opaque = true;
    fmeDialogue.BackColor = 0x2A1C14; // dark slate, set apart from the message bar
    fmeDialogue.SetVisible(false);
    SceneElement& line = lblDialogue.Template();
    line.FontName = "Arial";
    line.FontBold = true;
    line.FontSize = 12;
    line.AutoSize = true;
    line.ForeColor = 0xFFFFFF;
}

} // namespace quillora
