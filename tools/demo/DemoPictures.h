// Pictures of the demo game, drawn with QPainter: backgrounds, hotspot pictures, a pointer.
#pragma once

#include <QImage>
#include <QString>

namespace quillora::demo {

// 640x480 scenes.
QImage TitleCard();
QImage ShoreScene();
QImage LighthouseInside();
// The water mask of the shore's rectangle (x, y, w, h): black where the sea shows.
QImage ShoreWaterMask(int x, int y, int w, int h);
// Hotspot pictures (transparent where the scene shows through).
QImage LighthouseDoor(bool open);
QImage Seagull();
QImage Boat();
// The shore lighthouse's lamp flaring up (the flicker shows and hides it).
QImage LampFlare();
// A scallop shell of the path; `size` 1 (small) to 3 (large) sets its size and tone.
QImage Shell(int size);
// Inventory icons, 32x32.
QImage RopeIcon();
QImage HookIcon();
QImage GrappleIcon();
QImage KeyIcon();
QImage PearlIcon();
// A hotspot picture: the rope lying in the boat.
QImage RopeInBoat();
// The lamp room at the top of the lighthouse, and the ending.
QImage LampLit();

// The keeper's cottage: seen from the shore (a hotspot picture), and inside, where the old
// keeper sits by his fire (the lower part stays plain: the dialogue panel covers it).
QImage CottageOutside();
QImage CottageInside();
// The dark lamp gallery at the top of the tower, with its great lens; the salt that clouds the
// lens and the new wick in the burner are hotspot pictures laid over it.
QImage GalleryScene();
QImage LensSalt();
QImage WickInBurner();
QImage WickIcon();

// The rock pool below the path: rocks, a clear pool, the lighthouse far off, a carved stone;
// the crab that sits by the pool (a hotspot picture); the water mask of the pool's rectangle.
QImage CoveScene();
QImage Crab();
QImage CoveWaterMask(int x, int y, int w, int h);

// A small repeating tile.
QImage SandTile();

// The demo's pointer: a quill whose tip is the hot spot.
QImage QuillPointer();
// Hotspot pointers, 32x32: a hand for what can be taken or used (hot spot at the fingertip), an
// arrow for the ways out (hot spot at its tip), a speech bubble for someone to talk to and a
// magnifying glass for things to look at (hot spot at their centre).
QImage HandPointer();
QImage WalkPointer();
QImage TalkPointer();
QImage LookPointer();

// The welcome window's scheme: a brass plaque with the caption for a picture button, and a
// night-sea tile for the background.
QImage WelcomeButton(const QString& caption);
QImage WelcomeTile();

} // namespace quillora::demo
