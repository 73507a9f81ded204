// The frame scene: hit-testing, z-order, scaling, control arrays, pictures and pointers.
#include "ProjectWriter.h"
#include "core/ClassicError.h"
#include "core/Twips.h"
#include "scene/ControlArray.h"
#include "scene/PictureBox.h"
#include "scene/Pictures.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

namespace quillora {
namespace {

class Scene : public ::testing::Test {
protected:
    void SetUp() override {
        box.SetFrameSize(PixelsToTwips(640), PixelsToTwips(480));
        box.resize(1280, 960);
    }
    SceneElement& Add(const std::string& name, int left, int top, int width, int height) {
        SceneElement& e = box.Create(ElementKind::Image, name, 0);
        e.Move(PixelsToTwips(left), PixelsToTwips(top), PixelsToTwips(width),
               PixelsToTwips(height));
        e.OnMouseDown = [this, &e](const ElementMouse& m) {
            hits.push_back(e.Name() + " " + std::to_string(m.X) + "," + std::to_string(m.Y));
        };
        return e;
    }
    void Press(QPointF widgetPos, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(&box, button, Qt::NoModifier, widgetPos.toPoint());
        QTest::mouseRelease(&box, button, Qt::NoModifier, widgetPos.toPoint());
    }

    PictureBox box;
    std::vector<std::string> hits;
};

TEST_F(Scene, PressesGoToTheTopmostVisibleElementInFrameTwips) {
    SceneElement& back = Add("back", 0, 0, 640, 480);
    SceneElement& front = Add("front", 100, 100, 50, 50);
    SceneElement& hidden = Add("hidden", 100, 100, 50, 50);
    hidden.SetVisible(false);
    Press(QPointF(2 * 110 + 1, 2 * 120 + 1)); // the widget shows the frame at twice its size
    Press(QPointF(2 * 10, 2 * 10));
    box.ZOrder(back);
    Press(QPointF(2 * 110 + 1, 2 * 120 + 1));
    box.ZOrder(back, 1);
    front.SetVisible(false);
    Press(QPointF(2 * 110 + 1, 2 * 120 + 1));
    EXPECT_EQ(hits, (std::vector<std::string>{"front 157,307", "back 150,150", "back 1657,1807",
                                              "back 1657,1807"}));
}

TEST_F(Scene, DisabledElementsLetPressesThroughToWhatLiesUnder) {
    Add("back", 0, 0, 640, 480);
    SceneElement& front = Add("front", 100, 100, 50, 50);
    front.Enabled = false;
    Press(QPointF(2 * 110, 2 * 110));
    front.Enabled = true;
    Press(QPointF(2 * 110, 2 * 110));
    EXPECT_EQ(hits, (std::vector<std::string>{"back 1650,1650", "front 150,150"}));
}

TEST_F(Scene, LetterboxedFrameMapsBackExactlyAndBordersGoToTheWindow) {
    box.resize(1000, 480);
    Add("spot", 0, 0, 10, 10);
    int outside = 0;
    box.OnOutsideMouseDown = [&](const ElementMouse&) { ++outside; };
    EXPECT_EQ(box.FrameRectInWidget(), QRectF(180, 0, 640, 480));
    EXPECT_EQ(box.WidgetToFrame(QPointF(185, 7)), QPointF(5, 7));
    Press(QPointF(185, 7));
    Press(QPointF(100, 100));
    EXPECT_EQ(hits, std::vector<std::string>{"spot 75,105"});
    EXPECT_EQ(outside, 1);
}

TEST_F(Scene, ContainersHoldTheirElementsAndDragsDropOnTargets) {
    SceneElement& holder = Add("holder", 200, 200, 100, 100);
    SceneElement& child = box.Create(ElementKind::Surface, "child", 0, &holder);
    child.Move(PixelsToTwips(10), PixelsToTwips(10), PixelsToTwips(20), PixelsToTwips(20));
    child.OnMouseDown = [&](const ElementMouse& m) {
        hits.push_back("child " + std::to_string(m.X));
    };
    EXPECT_EQ(child.PixelRect(), QRect(210, 210, 20, 20));
    Press(QPointF(2 * 215, 2 * 215));
    Press(QPointF(2 * 205, 2 * 205));
    EXPECT_EQ(hits, (std::vector<std::string>{"child 75", "holder 75,75"}));

    SceneElement& item = Add("item", 0, 0, 20, 20);
    std::string dropped;
    holder.OnDragDrop = [&](SceneElement& source, int x, int y) {
        dropped = source.Name() + " at " + std::to_string(x) + "," + std::to_string(y);
    };
    box.BeginDrag(item, QCursor(Qt::CrossCursor));
    EXPECT_TRUE(box.IsDragging());
    QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier, QPoint(2 * 250, 2 * 260));
    EXPECT_EQ(dropped, "item at 750,900");
    EXPECT_FALSE(box.IsDragging());
}

TEST_F(Scene, ElementsShowTheirTooltips) {
    Add("plain", 0, 0, 100, 100);
    Add("item", 200, 200, 32, 32).ToolTipText = "Rusty key";
    box.show();
    QHelpEvent over(QEvent::ToolTip, QPoint(2 * 210, 2 * 210), box.mapToGlobal(QPoint(420, 420)));
    QApplication::sendEvent(&box, &over);
    EXPECT_EQ(QToolTip::text(), "Rusty key");
    QHelpEvent plain(QEvent::ToolTip, QPoint(20, 20), box.mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(&box, &plain);
    QTest::qWait(400); // the tooltip fades out
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(Scene, AnItemsTooltipGoesWithItsBarOrItsItem) {
    SceneElement& bar = Add("bar", 0, 0, 640, 42);
    SceneElement& item = box.Create(ElementKind::Image, "item", 1, &bar);
    item.Move(PixelsToTwips(10), PixelsToTwips(5), PixelsToTwips(32), PixelsToTwips(32));
    item.ToolTipText = "Rusty key";
    box.show();
    const auto hover = [&] {
        QHelpEvent over(QEvent::ToolTip, QPoint(40, 30), box.mapToGlobal(QPoint(40, 30)));
        QApplication::sendEvent(&box, &over);
        ASSERT_TRUE(QToolTip::isVisible());
        ASSERT_EQ(box.ToolTipElement(), &item);
    };
    hover();
    bar.Changed(); // a change elsewhere leaves the item under the pointer
    EXPECT_EQ(box.ToolTipElement(), &item);
    bar.Top = -bar.Height; // the bar slides away with the pointer still
    bar.Changed();
    EXPECT_EQ(box.ToolTipElement(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));

    bar.Top = 0;
    hover();
    box.Destroy(item); // the item was used up
    EXPECT_EQ(box.ToolTipElement(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

TEST_F(Scene, ControlArraysCopyTheirTemplate) {
    ControlArray areas(box, ElementKind::Image, "Area");
    areas.Template().Stretch = true;
    areas.Template().MousePointer = 99;
    areas.Template().OnClick = [] {};
    EXPECT_FALSE(areas.Template().Visible());
    SceneElement& three = areas.Load(3);
    EXPECT_FALSE(three.Visible());
    EXPECT_TRUE(three.Stretch);
    EXPECT_EQ(three.MousePointer, 99);
    EXPECT_TRUE(static_cast<bool>(three.OnClick));
    EXPECT_EQ(areas.UBound(), 3);
    EXPECT_THROW(areas.Load(3), ClassicError);
    areas.Load(1);
    areas.Unload(3);
    EXPECT_EQ(areas.UBound(), 1);
    EXPECT_EQ(areas.Item(3), nullptr);
}

TEST_F(Scene, AutoSizedLabelsKeepTheirAlignmentEdge) {
    SceneElement& label = box.Create(ElementKind::Label, "label", 0);
    label.AutoSize = true;
    label.Alignment = 2;
    label.Left = 3000;
    label.SetCaption("");
    EXPECT_EQ(label.Width, 0);
    label.SetCaption("A centred caption");
    EXPECT_GT(label.Width, 0);
    EXPECT_NEAR(label.Left + label.Width / 2.0, 3000, 15);
}

TEST(Pictures, PointerHotSpotsAndContentDetectedFormats) {
    test::ProjectWriter files;
    QImage arrow(16, 16, QImage::Format_ARGB32);
    arrow.fill(Qt::red);
    files.WriteCursor("arrow.cur", arrow, 5, 7);
    const QCursor pointer = LoadPointer(files.Root() + "ARROW.CUR");
    EXPECT_EQ(pointer.hotSpot(), QPoint(5, 7));
    EXPECT_EQ(pointer.pixmap().toImage().pixelColor(3, 3), QColor(Qt::red));

    files.WritePicture("scene.bmp", 30, 20, Qt::green);
    std::rename((files.Root() + "scene.bmp").c_str(), (files.Root() + "scene.214").c_str());
    EXPECT_EQ(LoadPicture(files.Root() + "scene.214").size(), QSize(30, 20));
    files.WriteBytes("broken.bmp", "BM not really a picture");
    try {
        LoadPicture(files.Root() + "broken.bmp");
        ADD_FAILURE() << "a broken picture loaded";
    } catch (const ClassicError& error) {
        EXPECT_EQ(error.Description(), "Invalid picture");
    }
    EXPECT_TRUE(LoadPictureIfPresent(files.Root() + "none.bmp").isNull());
}

} // namespace
} // namespace quillora
