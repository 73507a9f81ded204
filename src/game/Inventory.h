// The inventory: items picked up, the sliding bar that shows them, and using items by dragging.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <string>

namespace quillora {

class GameHost;
class SceneElement;
class ValueListReader;
struct ElementMouse;
struct GameScene;
struct GameSession;
struct GameState;

// Where item n (from 1) of a bar sits, in twips, for a frame W pixels wide and margins mx, my
// pixels; throws ClassicError when no item fits in a row.
struct ItemPlace {
    int Left;
    int Top;
    int Row; // from 0
};
ItemPlace ItemPosition(int n, int frameWidthPixels, int mx, int my);
// Height of the bar in twips for a number of rows.
int BarHeight(int rows, int my);

// One section of a frame's pick-up file (.fm4): the hotspot and the item its click picks up.
struct PickUpSection {
    int16_t Hotspot = 0;
    bool PicksUp = false; // the item is picked up (the file's flag is 1)
    std::string Item;
    int ItemLine = 0; // the file's line of Item
};
// Reads a pick-up section up to its item (the item only when the flag is 1); the caller goes on
// to the separator. Throws ClassicError.
PickUpSection ReadPickUpSection(ValueListReader& in);

// A combination file (Areas/<A>_on_<B>.drg): what dropping item A on item B does.
struct ItemCombination {
    bool RemoveDragged = false;
    bool RemoveTarget = false;
    bool AddNew = false;
    std::string NewItem;
    bool RunScript = false;
    std::string Script;
    int ScriptLine = 0; // the file's line where the script value starts
};
// Reads a whole combination file (the script group only while the file goes on). Throws
// ClassicError.
ItemCombination ReadItemCombination(ValueListReader& in);

class Inventory : public QObject {
    Q_OBJECT

public:
    Inventory(GameScene& scene, GameSession& session, GameHost& host);

    int ObjectsCount() const;

    // Adds the item named in Areas/<name>.obj at the end, and pops the bar up unless
    // doNotPopup (or the project does not pop it up).
    void AddPickedObject(const std::string& objectName, bool doNotPopup);
    // Removes item index (1..ObjectsCount); later items move forward.
    void RemovePickedObject(int objectIndex);
    // Picks up the item of a hotspot when the frame's pick-up file (.fm4) names one.
    void PickOrNotPickObject(int areaIndex);
    // Removes every item (game reset).
    void Clear();
    // The bar's layout at a game reset, and the tab and background pictures.
    void LayOut();
    void LoadBarBackground(); // Load_InventoryBackground

    // Slides the bar towards the side the pointer zone asks for, handling window events
    // (Inventory_Move).
    void SlideBar();
    void HideBar(); // Inventory_Hide
    bool Moving() const { return m_moving; }
    // Pointer over the inventory (zone 1) or over the frame (zone 2).
    void PointerOverInventory();
    void PointerOverFrame();
    // The bar slides away when the auto-hide timer ends (TimerInventory_Timer).
    void AutoHideTick();
    // Ends a slide in progress at once (the game is unloading).
    void Abort() { m_abort = true; }

    // Makes an element take item drops for hotspot areaIndex (an animated picture's drop point
    // is inside its box).
    void AcceptDrops(SceneElement& target, int areaIndex, bool insideBox);
    // Starts dragging item index, as a left press on it does.
    void BeginDrag(int index);
    // Drops item dragged on item target: the combination file <A>_on_<B>.drg says what happens.
    void CombineItems(int dragged, int target);

    QTimer AutoHideTimer; // TimerInventory, 2 s, one shot
    // Performs a hotspot's drop action (the game's MakeActionAndConsequences).
    std::function<void(int areaIndex, int objectIndex)> OnDropOnHotspot;

private:
    void WireItem(SceneElement& item, int index);
    void ItemPressed(int index, const ElementMouse& mouse); // PickedObject_MouseDown
    void ItemDropped(int index, SceneElement& source);      // PickedObject_DragDrop
    void FitBarToItems();
    void ShowOrHideTab();

    GameScene& m_scene;
    GameSession& m_session;
    GameState& m_state;
    GameHost& m_host;
    int m_dragged = 0;
    int m_zone = 2;
    bool m_moving = false;
    bool m_popupRequest = false;
    bool m_abort = false;
};

} // namespace quillora
