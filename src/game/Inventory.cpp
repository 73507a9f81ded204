// Items, the inventory bar and its slide, and dragging items onto hotspots and other items.
#include "game/Inventory.h"

#include "core/ClassicError.h"
#include "core/Clock.h"
#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/Twips.h"
#include "core/ValueListReader.h"
#include "game/Actions.h"
#include "game/GameHost.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "game/GameState.h"
#include "project/ErrorMessages.h"
#include "project/MediaPath.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "scene/Pictures.h"
#include "services/Wait.h"

#include <QPixmap>
#include <QThread>

#include <cmath>

namespace quillora {
namespace {

constexpr int kItemSize = 480;        // twips: 32 pixels
constexpr double kSlideSeconds = 0.3; // the bar crosses its height in this time

bool IsNoPicture(const std::string& name) {
    return name.empty() || EqualsNoCase(name, "default");
}

// The picture of the Inventory folder, or nothing when there is none by that name.
QImage InventoryPicture(const std::string& name) {
    if (IsNoPicture(name)) return QImage();
    const std::string path = Paths().Inventory + name;
    if (!PathLookup::Instance().FileExists(path)) return QImage();
    return LoadPicture(path);
}

int ItemsPerRow(int frameWidthPixels, int mx) {
    const int cell = mx * kTwipsPerPixel + kItemSize;
    if (cell == 0) throw ClassicError(ErrorCode::DivisionByZero);
    const int perRow = frameWidthPixels * kTwipsPerPixel / cell;
    if (perRow <= 0) throw ClassicError(ErrorCode::DivisionByZero);
    return perRow;
}

} // namespace

ItemPlace ItemPosition(int n, int frameWidthPixels, int mx, int my) {
    const int perRow = ItemsPerRow(frameWidthPixels, mx);
    const int column = (n - 1) % perRow;
    const int row = (n - 1) / perRow;
    return {mx * kTwipsPerPixel + (mx * kTwipsPerPixel + kItemSize) * column,
            my * kTwipsPerPixel + (my * kTwipsPerPixel + kItemSize) * row, row};
}

int BarHeight(int rows, int my) {
    const long long height = static_cast<long long>(my) * kTwipsPerPixel +
                             (static_cast<long long>(my) * kTwipsPerPixel + kItemSize) * rows;
    if (height > 32767 * 15LL || height < -32768 * 15LL) throw ClassicError(ErrorCode::Overflow);
    return static_cast<int>(height);
}

Inventory::Inventory(GameScene& scene, GameSession& session, GameHost& host)
    : m_scene(scene), m_session(session), m_state(session.State), m_host(host) {
    AutoHideTimer.setInterval(2000);
    connect(&AutoHideTimer, &QTimer::timeout, this, &Inventory::AutoHideTick);
    for (SceneElement* element :
         {&scene.Inventory1, &scene.Inventory2, &scene.Inventory_Background}) {
        element->OnMouseMove = [this](const ElementMouse&) { PointerOverInventory(); };
    }
}

int Inventory::ObjectsCount() const {
    return m_scene.PickedObject.UBound();
}

void Inventory::WireItem(SceneElement& item, int index) {
    item.OnMouseDown = [this, index](const ElementMouse& mouse) {
        ItemPressed(index, mouse);
    };
    item.OnMouseMove = [this](const ElementMouse&) { PointerOverInventory(); };
    item.OnDragDrop = [this, index](SceneElement& source, int, int) {
        ItemDropped(index, source);
    };
}

void Inventory::AddPickedObject(const std::string& objectName, bool doNotPopup) {
    AutoHideTimer.stop();
    std::string icon;
    try {
        ValueListReader file = ValueListReader::Open(Paths().Areas + objectName + ".obj");
        icon = file.ReadString();
        const ProjectInfo& info = Project();
        const int n = ObjectsCount() + 1;
        SceneElement& item = m_scene.PickedObject.Load(n);
        WireItem(item, n);
        const ItemPlace place =
            ItemPosition(n, info.FrameWidth, info.InventorySpacingX, info.InventorySpacingY);
        item.Move(place.Left, place.Top, kItemSize, kItemSize);
        const std::string path =
            ResolveMediaPath(Paths().Areas + icon, m_session.Flags.StopEverything);
        item.SetPicture(LoadPicture(path), path);
        item.Tag = objectName;
        item.ToolTipText = objectName;
        m_state.InventoryItems.push_back(objectName);
        item.SetVisible(true);
        m_scene.Box.ZOrder(item);
        if (info.UseInventory) {
            FitBarToItems();
            ShowOrHideTab();
        }
        if (info.PopupInventoryOnAdd && !doNotPopup) {
            m_popupRequest = true;
            m_zone = 1;
            if (info.UseInventory && !m_moving) SlideBar();
            AutoHideTimer.stop();
            AutoHideTimer.start();
        }
    } catch (const ClassicError&) {
        ShowCommonError(" Unable to pick up the item named '" + objectName +
                        "'. The item may be unavailable, or the icon '" + icon +
                        "' associated to the item may be corrupt.");
    }
}

void Inventory::RemovePickedObject(int objectIndex) {
    try {
        const int count = ObjectsCount();
        if (objectIndex < 1 || objectIndex > count)
            throw ClassicError(ErrorCode::SubscriptOutOfRange);
        for (int i = objectIndex; i < count; ++i) {
            SceneElement& to = *m_scene.PickedObject.Item(i);
            const SceneElement& from = *m_scene.PickedObject.Item(i + 1);
            to.SetPicture(from.Picture(), from.PictureFile());
            to.Tag = from.Tag;
            to.ToolTipText = from.ToolTipText;
        }
        m_scene.PickedObject.Unload(count);
        if (objectIndex <= static_cast<int>(m_state.InventoryItems.size()))
            m_state.InventoryItems.erase(m_state.InventoryItems.begin() + objectIndex - 1);
        if (Project().UseInventory) {
            if (ObjectsCount() > 0) {
                FitBarToItems();
            } else {
                // An empty bar has nothing to offer: it goes at once, so that the player's next
                // click reaches the frame instead of being spent on sliding the bar away.
                HideBar();
            }
            ShowOrHideTab();
        }
    } catch (const ClassicError&) {
        ShowCommonError(" Unable to remove the item from the inventory.");
    }
}

void Inventory::FitBarToItems() {
    const ProjectInfo& info = Project();
    const ItemPlace last = ItemPosition(ObjectsCount(), info.FrameWidth, info.InventorySpacingX,
                                        info.InventorySpacingY);
    m_scene.Inventory1.Height = BarHeight(last.Row + 1, info.InventorySpacingY);
    SceneElement& background = m_scene.Inventory_Background;
    if (background.Visible()) background.Move(0, m_scene.Inventory1.Height - background.Height);
    m_scene.Inventory1.Changed();
}

void Inventory::ShowOrHideTab() {
    if (ObjectsCount() > 0) {
        m_scene.Inventory2.SetVisible(true);
    } else if (Project().HideInventory2) {
        m_scene.Inventory2.SetVisible(false);
    }
}

void Inventory::PickOrNotPickObject(int areaIndex) {
    const std::string path = Paths().FramesData + m_session.CurrentFrame.Name + ".fm4";
    if (!PathLookup::Instance().FileExists(path)) return;
    try {
        ValueListReader in = ValueListReader::Open(path);
        while (!in.AtEnd() && !m_session.Flags.StopEverything) {
            in.Skip();
            if (in.ReadInt16() != areaIndex) {
                in.SkipToNextSection();
                continue;
            }
            for (int i = 3; i <= 10; ++i)
                in.Skip();
            if (in.ReadInt16() == 1) AddPickedObject(in.ReadString(), false);
            return;
        }
    } catch (const ClassicError& error) {
        if (!m_session.Flags.StopEverything) {
            ShowCommonError(" Error in the \"PickOrNotPickObject\" procedure.\r\n\r\n",
                            DescriptionAndDetail(error));
        }
    }
}

void Inventory::Clear() {
    AutoHideTimer.stop();
    m_scene.PickedObject.UnloadAll();
    m_state.InventoryItems.clear();
    m_dragged = 0;
    m_popupRequest = false;
    m_abort = false;
}

void Inventory::LayOut() {
    const ProjectInfo& info = Project();
    SceneElement& bar = m_scene.Inventory1;
    const int height = BarHeight(1, info.InventorySpacingY);
    bar.Move(0, -height, PixelsToTwips(info.FrameWidth), height);
    bar.SetVisible(info.UseInventory);
    m_scene.Inventory2.Move(0, 0);
    m_scene.Inventory2.SetVisible(info.UseInventory && !info.HideInventory2);
    m_scene.Box.SetContainer(m_scene.PickedObject.Template(), info.UseInventory ? &bar : nullptr);
    m_zone = 2;
}

void Inventory::LoadBarBackground() {
    const ProjectInfo& info = Project();
    SceneElement& background = m_scene.Inventory_Background;
    background.SetVisible(false);
    background.SetPicture(QImage());
    if (!info.UseInventory) return;
    try {
        if (info.UseInventoryBackground) {
            const QImage picture = InventoryPicture(info.InventoryBackground2);
            if (!picture.isNull()) {
                background.SetPicture(picture);
                background.Move(0, m_scene.Inventory1.Height - background.Height);
                background.SetVisible(true);
            }
        }
        const QImage tab = InventoryPicture(info.InventoryBackground1);
        if (!tab.isNull()) m_scene.Inventory2.SetPicture(tab);
    } catch (const ClassicError&) {
        // a damaged picture keeps the design pictures
    }
}

void Inventory::SlideBar() {
    if (!Project().UseInventory) return;
    const WaitScope waiting;
    m_moving = true;
    QPointer<Inventory> alive(this);
    SceneElement& bar = m_scene.Inventory1;
    double lastMeasure = TheClock().SecondsSinceMidnight();
    double step = 0;
    for (int pass = 1;; ++pass) {
        if ((m_zone == 2 && bar.Top <= -bar.Height) || m_zone == 0 || (m_zone == 1 && bar.Top >= 0))
            break;
        if (m_popupRequest) m_zone = 1;
        if (pass % 5 == 2) {
            const double now = TheClock().SecondsSinceMidnight();
            step = ElapsedSeconds(lastMeasure, now) * bar.Height / (kSlideSeconds * 5);
            lastMeasure = now;
        }
        if (m_zone == 1) {
            const int top = static_cast<int>(std::lround(bar.Top + step));
            bar.Top = Project().InventoryAnimateShow ? std::min(top, 0) : 0;
        } else if (m_zone == 2) {
            const int top = static_cast<int>(std::lround(bar.Top - step));
            bar.Top = Project().InventoryAnimateHide ? std::max(top, -bar.Height) : -bar.Height;
        }
        bar.Changed();
        DoEvents();
        if (alive.isNull()) return;
        if (m_abort) break;
        // About 200 steps a second: smooth, without keeping a processor busy.
        QThread::msleep(5);
    }
    m_moving = false;
}

void Inventory::HideBar() {
    m_moving = true;
    m_scene.Inventory1.Top = -m_scene.Inventory1.Height;
    m_scene.Inventory1.Changed();
    m_moving = false;
}

void Inventory::PointerOverInventory() {
    m_zone = 1;
    if (Project().UseInventory && !m_moving) SlideBar();
}

void Inventory::PointerOverFrame() {
    m_zone = 2;
    if (Project().UseInventory && !m_moving) SlideBar();
}

void Inventory::AutoHideTick() {
    AutoHideTimer.stop();
    m_popupRequest = false;
    if (Project().InventoryAnimateHide) {
        m_zone = 2;
        if (Project().UseInventory && !m_moving) SlideBar();
    }
}

void Inventory::ItemPressed(int index, const ElementMouse& mouse) {
    m_session.Flags.StopMovie = true;
    m_session.Flags.TransitionAbortRequested = true;
    if (m_host.IsOneTimeVideoPlaying()) return;
    if (mouse.Button == 2) {
        m_host.ToggleMenusByRightPress();
        return;
    }
    m_host.HideMenus();
    if (mouse.Button == 1) BeginDrag(index);
}

void Inventory::BeginDrag(int index) {
    SceneElement* item = m_scene.PickedObject.Item(index);
    if (item == nullptr || index == 0) return;
    m_dragged = index;
    const QPixmap icon = QPixmap::fromImage(item->Picture());
    m_scene.Box.BeginDrag(*item, icon.isNull()
                                     ? QCursor(Qt::ClosedHandCursor)
                                     : QCursor(icon, icon.width() / 2, icon.height() / 2));
}

void Inventory::AcceptDrops(SceneElement& target, int areaIndex, bool insideBox) {
    target.OnDragDrop = [this, areaIndex, insideBox, &target](SceneElement& source, int x, int y) {
        if (FoldCase(source.Name()) != "pickedobject") return;
        int left = target.Left + x;
        int top = target.Top + y;
        if (insideBox && target.Container() != nullptr) {
            left += target.Container()->Left;
            top += target.Container()->Top;
        }
        SaveClickPos(m_state, left, top);
        if (OnDropOnHotspot) OnDropOnHotspot(areaIndex, source.Index());
    };
}

void Inventory::ItemDropped(int index, SceneElement& source) {
    if (FoldCase(source.Name()) != "pickedobject" || index == m_dragged) return;
    CombineItems(m_dragged, index);
}

void Inventory::CombineItems(int dragged, int target) {
    const SceneElement* a = m_scene.PickedObject.Item(dragged);
    const SceneElement* b = m_scene.PickedObject.Item(target);
    if (a == nullptr || b == nullptr || dragged == 0) return;
    const std::string path = Paths().Areas + a->Tag + "_on_" + b->Tag + ".drg";
    if (!PathLookup::Instance().FileExists(path)) return;
    try {
        ValueListReader in = ValueListReader::Open(path);
        const bool removeDragged = in.ReadDouble() == 1;
        if (removeDragged) RemovePickedObject(dragged);
        if (in.ReadDouble() == 1)
            RemovePickedObject(removeDragged && dragged < target ? target - 1 : target);
        const bool addNew = in.ReadDouble() == 1;
        const std::string newItem = in.ReadString();
        if (addNew) AddPickedObject(newItem, false);
        if (in.IsEndOfSection()) return;
        for (int i = 5; i <= 7; ++i)
            in.Skip();
        const bool runScript = in.ReadBool();
        const std::string script = DecodeBars(in.ReadString());
        if (!m_session.Flags.StopEverything && !script.empty() && runScript) {
            ExecuteVBScriptAndConsequences(m_host, m_session, script, true);
        }
    } catch (const ClassicError& error) {
        ShowCommonError(" Unable to combine items.", DetailLines(error));
    }
}

PickUpSection ReadPickUpSection(ValueListReader& in) {
    PickUpSection section;
    in.Skip();
    section.Hotspot = in.ReadInt16();
    for (int i = 3; i <= 10; ++i)
        in.Skip();
    section.PicksUp = in.ReadInt16() == 1;
    if (section.PicksUp) {
        section.Item = in.ReadString();
        section.ItemLine = in.LastValueLine();
    }
    return section;
}

ItemCombination ReadItemCombination(ValueListReader& in) {
    ItemCombination c;
    c.RemoveDragged = in.ReadDouble() == 1;
    c.RemoveTarget = in.ReadDouble() == 1;
    c.AddNew = in.ReadDouble() == 1;
    c.NewItem = in.ReadString();
    if (in.IsEndOfSection()) return c;
    for (int i = 5; i <= 7; ++i)
        in.Skip();
    c.RunScript = in.ReadBool();
    c.Script = DecodeBars(in.ReadString());
    c.ScriptLine = in.LastValueLine();
    return c;
}

} // namespace quillora
