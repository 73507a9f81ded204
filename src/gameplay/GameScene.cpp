// Creating the frame area's elements.
#include "gameplay/GameScene.h"

namespace quillora {

GameScene::GameScene(PictureBox& box)
    : Box(box), BackImage(box.Create(ElementKind::Image, "BackImage", 0)),
      Area(box, ElementKind::Image, "Area"), AniGifBox(box, ElementKind::Box, "AniGifBox"),
      AniGif(box, ElementKind::Surface, "AniGif", &AniGifBox.Template()),
      VideoPlayer(box, ElementKind::Surface, "VideoPlayer"), Text(box, ElementKind::Label, "Text"),
      PickedObject(box, ElementKind::Image, "PickedObject"),
      FrameMessageBox(box.Create(ElementKind::Box, "FrameMessageBox", 0)),
      LabelMessageBox(box.Create(ElementKind::Label, "LabelMessageBox", 0, &FrameMessageBox)) {
    SceneElement& text = Text.Template();
    text.FontName = "Arial";
    text.FontBold = true;
    text.FontSize = 24;
    text.AutoSize = true;

    FrameMessageBox.Opaque = true;
    FrameMessageBox.BackColor = 0x201810; // deep blue-black band
    FrameMessageBox.SetVisible(false);
    LabelMessageBox.FontName = "MS Sans Serif";
    LabelMessageBox.FontBold = true;
    LabelMessageBox.FontSize = 12;
    LabelMessageBox.ForeColor = 0xC8F0FF; // warm white
    LabelMessageBox.AutoSize = true;
    LabelMessageBox.Alignment = 2;
}

} // namespace quillora
