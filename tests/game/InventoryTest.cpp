// The inventory: layout, picking up, removing, combining, dragging and the sliding bar.
#include "GameplayFixture.h"
#include "core/ClassicError.h"
#include "core/Twips.h"

#include <QMouseEvent>
#include <QTest>
#include <QTimer>

namespace quillora {
namespace {

class InventoryTest : public test::GameplayFixture {};

TEST_F(InventoryTest, RowsOfItemsAndTheBarHeight) {
    EXPECT_EQ(ItemPosition(1, 640, 8, 10).Left, 120);
    EXPECT_EQ(ItemPosition(16, 640, 8, 10).Left, 120 + 600 * 15);
    EXPECT_EQ(ItemPosition(16, 640, 8, 10).Row, 0);
    const ItemPlace seventeenth = ItemPosition(17, 640, 8, 10);
    EXPECT_EQ(seventeenth.Row, 1);
    EXPECT_EQ(seventeenth.Left, 120);
    EXPECT_EQ(seventeenth.Top, 150 + 630);
    EXPECT_EQ(BarHeight(2, 10) - BarHeight(1, 10), 10 * 15 + 480);
    EXPECT_THROW(ItemPosition(1, 10, 8, 10), ClassicError);

    Project().InventorySpacingX = 8;
    for (int i = 0; i < 17; ++i)
        project.WriteItem("I" + std::to_string(i), "i.ico");
    inventory.LayOut();
    EXPECT_EQ(scene.Inventory1.Height, BarHeight(1, 10));
    EXPECT_EQ(scene.Inventory1.Top, -BarHeight(1, 10));
    for (int i = 0; i < 17; ++i)
        inventory.AddPickedObject("I" + std::to_string(i), true);
    EXPECT_EQ(scene.Inventory1.Height, BarHeight(2, 10));
    EXPECT_EQ(scene.PickedObject.Item(17)->Container(), &scene.Inventory1);
    EXPECT_TRUE(scene.Inventory2.Visible());
}

TEST_F(InventoryTest, WithoutTheBarItemsSitOnTheFrame) {
    Project().UseInventory = false;
    inventory.LayOut();
    project.WriteItem("Key", "key.ico");
    inventory.AddPickedObject("Key", false);
    EXPECT_EQ(scene.PickedObject.Item(1)->Container(), nullptr);
    EXPECT_FALSE(scene.Inventory1.Visible());
    EXPECT_FALSE(scene.Inventory2.Visible());
    EXPECT_FALSE(inventory.Moving());
}

TEST_F(InventoryTest, RemovingMovesLaterItemsForward) {
    project.WriteItem("Key", "key.ico", Qt::red);
    project.WriteItem("Map", "map.ico", Qt::green);
    project.WriteItem("Lamp", "lamp.ico", Qt::blue);
    for (const char* name : {"Key", "Map", "Lamp"})
        inventory.AddPickedObject(name, true);
    inventory.RemovePickedObject(2);
    EXPECT_EQ(Tags(), (std::vector<std::string>{"Key", "Lamp"}));
    const SceneElement& second = *scene.PickedObject.Item(2);
    EXPECT_EQ(second.ToolTipText, "Lamp");
    EXPECT_EQ(second.Picture().pixelColor(5, 5), QColor(Qt::blue));
    inventory.RemovePickedObject(1);
    inventory.RemovePickedObject(1);
    EXPECT_EQ(inventory.ObjectsCount(), 0);
    EXPECT_FALSE(scene.Inventory2.Visible()); // empty and hidden when empty
}

TEST_F(InventoryTest, PickingUpFromHotspotsAndDamagedItems) {
    project.WriteItem("Shell", "shell.ico");
    project.WriteItem("Broken", "broken.ico");
    project.WriteBytes("Areas/broken.ico", "not an icon");
    project.WritePickups("Hall", {{1, ""}, {2, "Shell"}, {3, "Broken"}});
    inventory.PickOrNotPickObject(1);
    EXPECT_TRUE(Tags().empty());
    inventory.PickOrNotPickObject(2);
    EXPECT_EQ(Tags(), std::vector<std::string>{"Shell"});
    inventory.PickOrNotPickObject(3);
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_EQ(prompts.History()[0].text,
              Text(30) + "\r\n\r\n" + Text(31) +
                  " Unable to pick up the item named 'Broken'. The item may be unavailable, or the "
                  "icon 'broken.ico' associated to the item may be corrupt.");
    EXPECT_EQ(inventory.ObjectsCount(), 2); // the count was raised before the icon failed
}

TEST_F(InventoryTest, CombiningUsesTheDraggedOnTargetFileOnly) {
    for (const char* name : {"Rope", "Stick", "Hook", "Net"})
        project.WriteItem(name, "x.ico");
    project.WriteCombination("Rope", "Hook", {1, 1, 1, "Grapple", 0, 0, 0, true, "Hooked |it|"});
    project.WriteCombination("Stick", "Rope", {0, 0, 1, "Net"});
    project.WriteItem("Grapple", "g.ico");
    for (const char* name : {"Rope", "Stick", "Hook"})
        inventory.AddPickedObject(name, true);
    box.resize(640, 480);
    // Rope (1) dropped on Hook (3): both go, the grapple comes, the script runs.
    inventory.BeginDrag(1);
    const SceneElement& hook = *scene.PickedObject.Item(3);
    scene.Inventory1.Top = 0;
    const QRect at = hook.PixelRect();
    QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier, at.center());
    EXPECT_EQ(Tags(), (std::vector<std::string>{"Stick", "Grapple"}));
    EXPECT_EQ(host.calls.front(), "script Hooked \"it\"");

    // Grapple (2) on Stick (1): only Stick_on_Grapple would count, and there is none.
    inventory.BeginDrag(2);
    QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier,
                        scene.PickedObject.Item(1)->PixelRect().center());
    EXPECT_EQ(Tags(), (std::vector<std::string>{"Stick", "Grapple"}));
    // An item dropped on itself or on the bare frame does nothing.
    inventory.BeginDrag(1);
    QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier,
                        scene.PickedObject.Item(1)->PixelRect().center());
    inventory.BeginDrag(1);
    QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier, QPoint(300, 400));
    EXPECT_EQ(Tags(), (std::vector<std::string>{"Stick", "Grapple"}));
    EXPECT_FALSE(box.IsDragging());

    project.WriteCombination("Stick", "Grapple", {"x"});
    inventory.BeginDrag(1);
    QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier,
                        scene.PickedObject.Item(2)->PixelRect().center());
    EXPECT_EQ(prompts.History().back().text,
              Text(30) + "\r\n\r\n" + Text(31) + " Unable to combine items.\r\n\r\n\"" +
                  project.Root() +
                  "Areas/Stick_on_Grapple.drg\", line 1 (value 1): expected a number, found "
                  "\"x\".");
}

TEST_F(InventoryTest, DropsOnHotspotsRecordThePointAndPerformTheDropAction) {
    project.WriteItem("Key", "key.ico");
    inventory.AddPickedObject("Key", true);
    SceneElement& area = scene.Area.Load(4);
    area.Move(1500, 1500, 1500, 1500);
    area.SetVisible(true);
    inventory.AcceptDrops(area, 4, false);
    std::vector<std::string> drops;
    inventory.OnDropOnHotspot = [&](int hotspot, int item) {
        drops.push_back(std::to_string(hotspot) + " " + std::to_string(item));
    };
    box.resize(640, 480);
    inventory.BeginDrag(1);
    QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier, QPoint(110, 120));
    EXPECT_EQ(drops, std::vector<std::string>{"4 1"});
    EXPECT_EQ(session.State.LastClickX, 110);
    EXPECT_EQ(session.State.LastClickY, 120);
}

TEST_F(InventoryTest, UsingTheLastItemSendsTheEmptyBarAwaySoTheNextClickActs) {
    project.WriteItem("Key", "key.ico");
    project.WriteItem("Map", "map.ico");
    inventory.AddPickedObject("Key", true);
    inventory.AddPickedObject("Map", true);
    SceneElement& bar = scene.Inventory1;
    Project().InventoryAnimateShow = false;
    inventory.PointerOverInventory();
    ASSERT_EQ(bar.Top, 0);
    inventory.RemovePickedObject(1);
    EXPECT_EQ(bar.Top, 0); // an item is left: the bar stays
    inventory.RemovePickedObject(1);
    EXPECT_EQ(bar.Top, -bar.Height);
    EXPECT_FALSE(inventory.Moving());

    // A player's press arrives while the move before it is handled; a hotspot drops presses
    // while the bar slides, as the game's clicks do.
    SceneElement& area = scene.Area.Load(1);
    area.Move(0, 0, 3000, 3000);
    area.SetVisible(true);
    int acted = 0;
    area.OnMouseDown = [&](const ElementMouse&) {
        if (!inventory.Moving()) ++acted;
    };
    area.OnMouseMove = [&](const ElementMouse&) { inventory.PointerOverFrame(); };
    box.resize(640, 480);
    QCoreApplication::postEvent(&box,
                                new QMouseEvent(QEvent::MouseButtonPress, QPointF(20, 20),
                                                box.mapToGlobal(QPointF(20, 20)), Qt::LeftButton,
                                                Qt::LeftButton, Qt::NoModifier));
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), box.mapToGlobal(QPointF(20, 20)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &move);
    QCoreApplication::processEvents();
    EXPECT_EQ(acted, 1);
}

// A clock that moves 20 ms on every read, and can call something after some reads.
struct SteppingClock : Clock {
    double now = 1000;
    int reads = 0;
    std::function<void(int)> onRead;
    double SecondsSinceMidnight() override {
        now += 0.02;
        if (onRead) onRead(++reads);
        return now;
    }
};

TEST_F(InventoryTest, TheBarSlidesInPopsDownAgainAndReversesMidWay) {
    SteppingClock clock;
    SetClock(&clock);
    project.WriteItem("Key", "key.ico");
    SceneElement& bar = scene.Inventory1;
    inventory.AddPickedObject("Key", false); // pops up
    EXPECT_EQ(bar.Top, 0);
    EXPECT_TRUE(inventory.AutoHideTimer.isActive());
    EXPECT_EQ(inventory.AutoHideTimer.interval(), 2000);
    inventory.AutoHideTick();
    EXPECT_EQ(bar.Top, -bar.Height);

    int highest = -bar.Height;
    clock.onRead = [&](int reads) {
        highest = std::max(highest, bar.Top);
        if (reads == 3) inventory.PointerOverFrame(); // the pointer leaves while the bar comes
    };
    inventory.PointerOverInventory();
    EXPECT_GT(highest, -bar.Height);
    EXPECT_LT(highest, 0);
    EXPECT_EQ(bar.Top, -bar.Height);
    EXPECT_FALSE(inventory.Moving());

    Project().InventoryAnimateShow = false;
    clock.onRead = nullptr;
    inventory.PointerOverInventory();
    EXPECT_EQ(bar.Top, 0);
}

} // namespace
} // namespace quillora
